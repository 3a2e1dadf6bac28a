#include "flight/replay.h"

#include <cmath>
#include <map>

#include "flight/embedded.h"
#include "shortest.h"

namespace {

constexpr std::string_view LIBRARY_PLACE = "/*@THREE_JS@*/";
constexpr std::string_view FLIGHT_PLACE = "@FLIGHT_JSON@";

// Shortest form that reads back exactly; JSON has no NaN or infinity.
std::string Number(double value)
{
    return std::isfinite(value) ? Shortest(value) : "null";
}

// A JSON string that is safe inside a <script> element: '<' never appears
// as itself, and bytes above 127 (texts are 8-bit) are read as Latin-1.
std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char ch : text) {
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += char(ch);
        } else if (ch < 0x20 || ch == '<' || ch == '>' || ch == '&' || ch >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", ch);
            quoted += escape;
        } else {
            quoted += char(ch);
        }
    }
    return quoted + "\"";
}

std::string Triple(const double (&c)[3])
{
    return Number(c[0]) + "," + Number(c[1]) + "," + Number(c[2]);
}

}  // namespace

std::string FlightJson(const Flight& flight, const World& world)
{
    std::string json = "{\"displayName\":" + Quoted(flight.displayName) +
                       ",\"plugin\":" + Quoted(flight.plugin) +
                       ",\"fieldOfView\":" + Number(REPLAY_FIELD_OF_VIEW) +
                       ",\"frameStep\":" + Number(FRAME_STEP) + ",\"vicinity\":650,\"sites\":[";
    for (size_t i = 0; i < world.sites.size(); ++i)
        json += std::string(i ? "," : "") + "{\"name\":" + Quoted(world.sites[i].name) + ",\"position\":[" +
                Triple(world.sites[i].position.c) + "]}";
    json += "],\"hills\":[";
    for (size_t i = 0; i < world.hills.size(); ++i) {
        const Hill& h = world.hills[i];
        json += std::string(i ? "," : "") + "[" + Number(h.x) + "," + Number(h.y) + "," + Number(h.peak) +
                "," + Number(h.radius) + "]";
    }
    // Frames as columns; texts as events with the frame they were shown in
    // and the address they came from, numbered in order of first use: the
    // host shows one text per address.
    std::string time, aircraft, camera, orientation, ground, parked, lifted, site, status, texts;
    std::map<std::string, size_t> statusIndex;
    std::string statuses;
    std::map<const char*, size_t> lineOf;
    for (const FrameRow& r : flight.rows) {
        const std::string comma = r.frame ? "," : "";
        time += comma + Number(r.time);
        aircraft += comma + Triple(r.aircraft.c);
        camera += comma + Triple(r.camera.c);
        orientation += comma + Number(r.orientation.pitch) + "," + Number(r.orientation.heading) + "," +
                       Number(r.orientation.bank);
        ground += comma + Number(r.groundUnderCamera);
        parked += r.parked ? '1' : '0';
        lifted += r.lifted ? '1' : '0';
        site += comma + std::to_string(r.siteIndex);
        const auto inserted = statusIndex.emplace(r.status, statusIndex.size());
        if (inserted.second) statuses += std::string(statuses.empty() ? "" : ",") + Quoted(r.status);
        status += comma + std::to_string(inserted.first->second);
        for (const ShownText& t : r.texts) {
            const size_t line = lineOf.emplace(t.address, lineOf.size()).first->second;
            texts += std::string(texts.empty() ? "" : ",") + "[" + std::to_string(r.frame) + "," +
                     std::to_string(line) + "," + Quoted(t.text) + "," + std::to_string(t.duration) + "]";
        }
    }
    json += "],\"frames\":{\"time\":[" + time + "],\"aircraft\":[" + aircraft + "],\"camera\":[" + camera +
            "],\"orientation\":[" + orientation + "],\"groundUnderCamera\":[" + ground + "],\"parked\":\"" +
            parked + "\",\"lifted\":\"" + lifted + "\",\"site\":[" + site + "],\"status\":[" + status +
            "]},\"statuses\":[" + statuses + "],\"texts\":[" + texts + "],\"keys\":[";
    for (size_t i = 0; i < flight.keys.size(); ++i) {
        const KeyMark& k = flight.keys[i];
        json += std::string(i ? "," : "") + "[" + Number(k.time) + "," + Quoted(k.label) + "," +
                (k.ignored ? "1" : "0") + "]";
    }
    return json + "]}";
}

bool ReplayHtml(const Flight& flight, const World& world, std::string& html, std::string& whyNot)
{
    if (ThreeJs().empty()) {
        whyNot = "replay.html skipped: this lumvet-host was built without three.js (" +
                 std::string(ThreeJsPath()) + " was missing; Debian's libjs-three installs it)";
        return false;
    }
    // Both places are found in the template itself, so nothing the library
    // or the flight's texts hold is ever taken for one.
    const std::string_view page = ReplayPageTemplate();
    const size_t library = page.find(LIBRARY_PLACE);
    const size_t data = page.find(FLIGHT_PLACE);
    if (library == std::string_view::npos || data == std::string_view::npos || data < library) {
        whyNot = "replay.html skipped: the page template built into this lumvet-host is damaged";
        return false;
    }
    const std::string json = FlightJson(flight, world);
    const std::string_view three = ThreeJs();
    html.clear();
    html.reserve(page.size() + three.size() + json.size());
    html.append(page.substr(0, library)).append(three);
    html.append(page.substr(library + LIBRARY_PLACE.size(), data - library - LIBRARY_PLACE.size()));
    html.append(json).append(page.substr(data + FLIGHT_PLACE.size()));
    return true;
}
