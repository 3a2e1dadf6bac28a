#include "checks/check_support.h"

#include <cmath>
#include <cstring>

#include "shortest.h"
#include "sim/world.h"

using contract::Position;

const std::vector<std::string> TRACKING_CALLS = {"HostGetUserObject", "HostGetObjectPosition",
                                                 "HostFindSite", "HostGetDistance",
                                                 "HostGetGroundHeight"};
const std::vector<std::string> PARKED_CALLS = {"HostGetUserObject", "HostGetObjectPosition",
                                               "HostFindSite", "HostShowText"};

bool CheckContext::Expect(bool ok, const std::string& what)
{
    if (!ok) failures.push_back(what);
    return ok;
}

std::string Show(double value)
{
    return Shortest(value);
}

std::string Show(const Position& p)
{
    return "(" + Show(p.c[0]) + ", " + Show(p.c[1]) + ", " + Show(p.c[2]) + ")";
}

bool SameBits(double a, double b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

bool SamePosition(const Position& a, const Position& b)
{
    return SameBits(a.c[0], b.c[0]) && SameBits(a.c[1], b.c[1]) && SameBits(a.c[2], b.c[2]);
}

bool CloseAngle(double a, double b)
{
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    if (SameBits(a, b)) return true;
    double step = a;
    for (int i = 0; i < 4; ++i) step = std::nextafter(step, b);
    return (a <= b) ? step >= b : step <= b;
}

std::string Join(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return "[" + text + "]";
}

Observed RunFrame(CheckContext& c, const Scene& scene)
{
    SimHost& host = c.host;
    host.SetSite(scene.siteName, scene.site);
    host.aircraft = [target = scene.target] { return target; };
    host.distance = scene.distance ? scene.distance : &Distance3D;
    host.ground = scene.ground ? scene.ground : [](const Position&) { return -1.0e6; };
    host.ClearRecords();
    Observed o;
    memset(&o.position, 0xEE, sizeof o.position);
    memset(&o.orientation, 0xEE, sizeof o.orientation);
    host.Update(&o.position, &o.orientation);
    o.calls = host.calls;
    o.texts = host.texts;
    o.distanceArgs = host.distanceArgs;
    o.groundArgs = host.groundArgs;
    o.findSiteArgs = host.findSiteArgs;
    return o;
}

void ExpectFrame(CheckContext& c, const std::string& label, const Scene& scene)
{
    const Observed o = RunFrame(c, scene);
    const ModelFrame m = ModelUpdate(c.model, scene.site, scene.target, c.lastHeading,
                                     c.host.distance, c.host.ground);
    c.lastHeading = m.heading;
    const std::string at = label + ": ";
    if (!c.Expect(o.calls == (m.parked ? PARKED_CALLS : TRACKING_CALLS),
                  at + (m.parked ? "parked" : "tracking") + " frame made the calls " + Join(o.calls)))
        return;
    c.Expect(SamePosition(o.findSiteArgs.at(0), scene.target),
             at + "the site was asked for " + Show(o.findSiteArgs[0]) + ", not the target as fetched");
    c.Expect(SamePosition(o.position, m.position),
             at + "position " + Show(o.position) + ", expected " + Show(m.position));
    c.Expect(CloseAngle(o.orientation.pitch, m.orientation.pitch),
             at + "pitch " + Show(o.orientation.pitch) + ", expected " + Show(m.orientation.pitch));
    c.Expect(CloseAngle(o.orientation.heading, m.orientation.heading),
             at + "heading " + Show(o.orientation.heading) + ", expected " +
                 Show(m.orientation.heading));
    c.Expect(SameBits(o.orientation.bank, 0.0), at + "bank " + Show(o.orientation.bank) + ", expected +0");
    if (m.parked) {
        c.Expect(o.texts.size() == 1 && o.texts[0].text == scene.siteName && o.texts[0].duration == 10,
                 at + "a parked frame shows the site's name with duration 10");
        return;
    }
    c.Expect(SamePosition(o.distanceArgs.at(0).first, m.distanceFrom) &&
                 SamePosition(o.distanceArgs.at(0).second, m.distanceTo),
             at + "distance asked between " + Show(o.distanceArgs[0].first) + " and " +
                 Show(o.distanceArgs[0].second) + ", expected " + Show(m.distanceFrom) + " and " +
                 Show(m.distanceTo));
    c.Expect(SamePosition(o.groundArgs.at(0), m.groundAt),
             at + "ground asked at " + Show(o.groundArgs[0]) + ", expected " + Show(m.groundAt));
}

void ExpectKey(CheckContext& c, int32_t code)
{
    SimHost& host = c.host;
    host.ClearRecords();
    host.Key(code);
    const std::string at = "key " + std::to_string(code) + ": ";
    if (host.activeCamera != contract::CAMERA_TYPE_CODE) {
        c.Expect(host.calls == std::vector<std::string>{"HostGetActiveCamera"},
                 at + "with another camera active it made the calls " + Join(host.calls));
        return;
    }
    ModelKey(c.model, code);
    const std::string line = ModelStatusLine(c.model);
    const size_t expectedTexts = code == 71 ? 2 : 1;
    if (!c.Expect(host.texts.size() == expectedTexts,
                  at + std::to_string(host.texts.size()) + " texts shown, expected " +
                      std::to_string(expectedTexts)))
        return;
    const ShownText& status = host.texts.back();
    c.Expect(status.text == line && status.duration == 1,
             at + "status line \"" + status.text + "\" (duration " + std::to_string(status.duration) +
                 "), expected \"" + line + "\" (duration 1)");
    if (code == 71) c.Expect(host.texts[0].duration == 10, at + "the site's name has duration 10");
}

void Press(CheckContext& c, int32_t code, int times)
{
    for (int i = 0; i < times; ++i) ExpectKey(c, code);
}
