// Checks of CameraBindKeys and CameraKey: the guard, every command's
// arithmetic, the status line, and the texts' addresses.
#include <climits>

#include "checks/check_support.h"

namespace {

void BindKeys(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    c.host.ClearRecords();
    auto bind = c.host.HookAt<contract::BindKeysFn>(contract::BIND_KEYS);
    bind(0x00C0FFEEu);
    bind(0x00C0FFEEu);
    const uint32_t order[] = {77, 75, 72, 80, 71, 74, 78, 73, 81};
    bool ok = c.host.bindings.size() == 18 && c.host.calls == std::vector<std::string>(18, "HostBindKey");
    for (size_t i = 0; ok && i < 18; ++i)
        ok = c.host.bindings[i] == std::array<uint32_t, 3>{order[i % 9], 1, 0x00C0FFEEu};
    c.Expect(ok, "two CameraBindKeys did not bind 77, 75, 72, 80, 71, 74, 78, 73, 81 twice, with 1 "
                 "and the context; calls " + Join(c.host.calls));
}

void Guard(CheckContext& c)
{
    c.host.Boot();
    Press(c, 77);
    for (uint32_t other : {0u, 0x6C6D7675u, 0x746D766Cu, 0xFFFFFFFFu}) {
        c.host.activeCamera = other;
        for (int32_t code : {71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 0}) ExpectKey(c, code);
    }
    c.host.activeCamera = contract::CAMERA_TYPE_CODE;
    ExpectFrame(c, "a frame after ignored keys", Scene{});
    Press(c, 76);
}

void StatusLines(CheckContext& c)
{
    c.host.Boot();
    Press(c, 72);  // the first key after load
    Press(c, 80);
    Press(c, 73);  // up mode and 0.25 in one press
    Press(c, 81, 4);
    Press(c, 75);
    Press(c, 75, 199);
    Press(c, 75, 3);  // through the floor at -2
    Press(c, 77, 3);
    Press(c, 78);
    Press(c, 77, 2);
    Press(c, 74);
    for (int32_t code : {76, 79, 70, 82, 0, -1, -75, INT_MIN, INT_MAX, 256 + 77}) Press(c, code);
}

void ZoomInFixedPoint(CheckContext& c)
{
    c.host.Boot();
    Press(c, 75, 250);  // from -2 upwards
    for (int i = 0; i < 100000 && c.model.zoom != 0.99945414066314697f && c.failures.empty(); ++i) Press(c, 77);
    c.Expect(c.model.zoom == 0.99945414066314697f, "zoom-in did not reach the top of the range");
    Press(c, 77, 3);
    Press(c, 78);
    Press(c, 77, 100);
    ExpectFrame(c, "at the top of the range", Scene{});
}

void OffsetSteps(CheckContext& c)
{
    c.host.Boot();
    Press(c, 73, 1000);
    Scene scene;
    ExpectFrame(c, "250 above the aircraft", scene);
    Press(c, 81, 1003);
    ExpectFrame(c, "0.75 below the aircraft", scene);
}

void SiteNameKey(CheckContext& c)
{
    c.host.Boot();
    c.host.ClearRecords();
    Press(c, 71);
    c.Expect(c.host.texts.size() == 2 && c.host.texts[0].text.empty(),
             "code 71 right after CameraStart did not show an empty name first");
    Scene scene;
    scene.siteName = "Harbour Point";
    RunFrame(c, scene);
    Press(c, 71);
    c.Expect(c.host.texts.size() == 2 && c.host.texts[0].text == "Harbour Point",
             "code 71 did not show the last frame's site");
}

void TextsStayAtOneAddress(CheckContext& c)
{
    c.host.Boot();
    std::vector<const char*> status, names;
    Scene near, far;
    far.target = {{5000, 0, 0}};
    for (int i = 0; i < 20; ++i) {
        RunFrame(c, i % 2 ? near : far);
        for (const ShownText& t : c.host.texts) names.push_back(t.address);
        c.host.ClearRecords();
        c.host.Key(i % 3 ? 75 : 71);
        for (const ShownText& t : c.host.texts) (t.duration == 1 ? status : names).push_back(t.address);
    }
    bool same = true;
    for (const char* a : status) same = same && a == status.front();
    for (const char* a : names) same = same && a == names.front();
    c.Expect(same, "a text handed to the host moved");
}

// Seeded random presses of every code, each held against the model, with
// frames in between.
void RandomKeys(CheckContext& c)
{
    c.host.Boot();
    std::uniform_int_distribution<int> pick(69, 83);
    for (int i = 0; i < 3000 && c.failures.empty(); ++i) {
        ExpectKey(c, pick(c.random));
        if (c.host.texts.size() > 0 && c.host.texts.back().text.size() > 16)
            c.Expect(false, "status line longer than 16 characters: " + c.host.texts.back().text);
        if (i % 100 == 0) ExpectFrame(c, "frame after key " + std::to_string(i), Scene{});
    }
    if (!c.failures.empty()) c.failures.push_back("seed " + std::to_string(c.seed));
}

const std::vector<Check> CHECKS = {
    {"bind-keys", &BindKeys},
    {"key-guard", &Guard},
    {"status-lines", &StatusLines},
    {"zoom-in-fixed-point", &ZoomInFixedPoint},
    {"offset-steps", &OffsetSteps},
    {"site-name-key", &SiteNameKey},
    {"texts-stay-at-one-address", &TextsStayAtOneAddress},
    {"random-keys", &RandomKeys},
};

}  // namespace

const std::vector<Check>& KeyChecks()
{
    return CHECKS;
}
