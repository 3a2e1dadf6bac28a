#include "flight/flight.h"

#include <cmath>
#include <cstring>

#include "shortest.h"
#include "sim/crash_report.h"

using contract::Position;

namespace {

constexpr uint32_t OTHER_CAMERA_CODE = 0x6F746872u;  // "othr", the host's own view

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

}  // namespace

Flight Fly(const PluginBinary& plugin, const World& world, const std::vector<KeyEvent>& keys)
{
    SimHost host(plugin);
    Position aircraft = world.route.front().position;
    host.aircraft = [&aircraft] { return aircraft; };
    host.findSite = [&world](const Position& position, uint8_t* site, uint8_t* extra) {
        const Site& nearest = world.NearestSite(position);
        FillSiteRecord(site, nearest.name, nearest.position);
        const uint64_t index = uint64_t(&nearest - world.sites.data());
        memcpy(extra, &index, contract::SITE_EXTRA_SIZE);
    };
    host.ground = [&world](const Position& position) { return world.GroundHeight(position); };
    host.distance = &Distance3D;
    const std::string offset = plugin_call::SKEWS_THE_STACK
                                   ? " at stack offset " + std::to_string(plugin_call::StackOffset())
                                   : "";
    SetCrashContext(("lumvet-host: fly: booting the plug-in" + offset + ": ").c_str());
    host.Boot();

    Flight flight;
    flight.displayName = host.displayName;
    flight.plugin = Described(plugin);
    const double start = world.route.front().time;
    const int frames = int(std::floor((world.route.back().time - start) / FRAME_STEP + 1e-9)) + 1;
    size_t nextKey = 0;
    std::string status;
    for (int i = 0; i < frames; ++i) {
        const double time = start + i * FRAME_STEP;
        SetCrashContext(("lumvet-host: fly: frame " + std::to_string(i) + offset + ": ").c_str());
        host.ClearRecords();
        for (; nextKey < keys.size() && keys[nextKey].time <= time; ++nextKey) {
            const KeyEvent& key = keys[nextKey];
            if (key.kind == KeyEvent::OTHER_CAMERA) host.activeCamera = OTHER_CAMERA_CODE;
            if (key.kind == KeyEvent::THIS_CAMERA) host.activeCamera = contract::CAMERA_TYPE_CODE;
            if (key.kind == KeyEvent::PRESS)
                for (int n = 0; n < key.count; ++n) host.Key(key.code);
            const bool ignored = key.kind == KeyEvent::PRESS && host.activeCamera != contract::CAMERA_TYPE_CODE;
            flight.keys.push_back({time, key.label + (key.count > 1 ? " x" + std::to_string(key.count) : ""), ignored});
        }
        const size_t keyTexts = host.texts.size();
        aircraft = world.AircraftAt(time);
        FrameRow row;
        row.frame = i;
        row.time = time;
        row.aircraft = aircraft;
        host.Update(&row.camera, &row.orientation);
        const Site& site = world.NearestSite(aircraft);
        row.siteIndex = size_t(&site - world.sites.data());
        row.siteName = site.name;
        row.site = site.position;
        row.parked = host.texts.size() > keyTexts;
        // Compared as bits, so a NaN altitude that stayed NaN is no lift.
        row.lifted = !host.groundArgs.empty() &&
                     memcmp(&host.groundArgs.back().c[2], &row.camera.c[2], sizeof(double)) != 0;
        row.groundUnderCamera = world.GroundHeight(row.camera);
        for (const ShownText& text : host.texts)
            if (text.duration == 1) status = text.text;
        row.status = status;
        row.texts = host.texts;
        flight.rows.push_back(row);
    }
    return flight;
}

FlightSummary Summarize(const Flight& flight)
{
    FlightSummary s;
    s.frames = flight.rows.size();
    for (const FrameRow& row : flight.rows) {
        s.parked += row.parked;
        s.lifts += row.lifted;
        s.texts += row.texts.size();
    }
    s.keys = flight.keys.size();
    for (const KeyMark& key : flight.keys) s.ignoredKeys += key.ignored;
    return s;
}

std::string FramesCsv(const Flight& flight)
{
    std::string csv =
        "frame,time,aircraft_0,aircraft_1,aircraft_2,site,site_0,site_1,site_2,camera_0,camera_1,"
        "camera_2,pitch,heading,bank,parked,lifted,ground_under_camera,status,texts\n";
    for (const FrameRow& r : flight.rows) {
        std::string texts;
        for (const ShownText& t : r.texts)
            texts += (texts.empty() ? "" : " | ") + t.text + " (" + std::to_string(t.duration) + ")";
        const double numbers[] = {r.time, r.aircraft.c[0], r.aircraft.c[1], r.aircraft.c[2]};
        csv += std::to_string(r.frame);
        for (double n : numbers) csv += "," + Shortest(n);
        csv += "," + Quoted(r.siteName);
        const double rest[] = {r.site.c[0],   r.site.c[1],   r.site.c[2],          r.camera.c[0],
                               r.camera.c[1], r.camera.c[2], r.orientation.pitch, r.orientation.heading,
                               r.orientation.bank};
        for (double n : rest) csv += "," + Shortest(n);
        csv += std::string(",") + (r.parked ? "1" : "0") + "," + (r.lifted ? "1" : "0") + "," +
               Shortest(r.groundUnderCamera) + "," + Quoted(r.status) + "," + Quoted(texts) + "\n";
    }
    return csv;
}
