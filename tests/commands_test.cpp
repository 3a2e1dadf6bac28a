#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "../camera/commands.h"
#include "plugin_fixture.h"

namespace {

struct Settings {
    float zoom;
    int32_t upMode;
    float heightOffset;
};

void ExpectSettings(const Settings& expected)
{
    EXPECT_EQ(FloatBits(expected.zoom), FloatBits(cameraState.zoom)) << cameraState.zoom;
    EXPECT_EQ(expected.upMode, cameraState.upMode);
    EXPECT_EQ(FloatBits(expected.heightOffset), FloatBits(cameraState.heightOffset));
}

float FromBits(uint32_t bits)
{
    float value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

const float ZOOM_TOP = FromBits(0x3F7FDC3Au);  // 0.99945414066314697

TEST_F(PluginTest, AnotherActiveCameraIgnoresTheKeyEntirely)
{
    host.activeCamera = 0x6C6D7675u;  // "lmvu": close, but not ours
    cameraState.zoom = 0.5f;
    cameraState.heightOffset = 1.25f;
    for (int32_t code : {71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 0, -1}) {
        host.calls.clear();
        hooks.Key(code);
        EXPECT_EQ((std::vector<std::string>{"HostGetActiveCamera"}), host.calls) << code;
        ExpectSettings({0.5f, 0, 1.25f});
        EXPECT_STREQ("", cameraState.statusText);
        EXPECT_STREQ("", cameraState.modeText);
    }
}

TEST_F(PluginTest, CodesWithoutACommandOnlyRefreshTheStatusLine)
{
    cameraState.zoom = -0.5f;
    cameraState.upMode = 1;
    cameraState.heightOffset = 3.0f;
    for (int32_t code : {76, 79, 70, 82, 0, -1, -75, INT_MIN, INT_MAX, 256 + 77}) {
        host.calls.clear();
        host.texts.clear();
        hooks.Key(code);
        EXPECT_EQ((std::vector<std::string>{"HostGetActiveCamera", "HostShowText"}), host.calls);
        ExpectSettings({-0.5f, 1, 3.0f});
        ASSERT_EQ(1u, host.texts.size());
        EXPECT_EQ("-0.500000 pos:up", host.texts[0].text);
        EXPECT_EQ(1, host.texts[0].duration);
        EXPECT_EQ(cameraState.statusText, host.texts[0].address);
    }
}

TEST_F(PluginTest, FirstKeyAfterLoad)
{
    Press(72);
    EXPECT_EQ("0.000000 pos:up", host.texts.at(0).text);
    EXPECT_STREQ("up", cameraState.modeText);
}

TEST_F(PluginTest, HeightOffsetKeysSwitchToUpModeAndStepByAQuarter)
{
    Press(73);
    ExpectSettings({0.0f, 1, 0.25f});
    EXPECT_EQ("0.000000 pos:up", host.texts.back().text);
    Press(81, 4);
    ExpectSettings({0.0f, 1, -0.75f});
    cameraState.heightOffset = 0.0f;
    Press(73, 1000);
    ExpectSettings({0.0f, 1, 250.0f});
    Press(80);
    ExpectSettings({0.0f, 0, 250.0f});
    EXPECT_EQ("0.000000 pos:do", host.texts.back().text);
}

TEST_F(PluginTest, ZoomOutStepsAHundredthDownToTheFloor)
{
    Press(75);
    EXPECT_EQ(FloatBits(float(-0.01)), FloatBits(cameraState.zoom));
    EXPECT_EQ("-0.010000 pos:do", host.texts.back().text);
    Press(75, 199);
    EXPECT_EQ(-1.9999984502792358, double(cameraState.zoom));
    EXPECT_EQ("-1.999998 pos:do", host.texts.back().text);
    Press(75);
    EXPECT_EQ(-2.0f, cameraState.zoom);
    Press(75, 3);
    EXPECT_EQ(-2.0f, cameraState.zoom);
    EXPECT_EQ("-2.000000 pos:do", host.texts.back().text);
}

TEST_F(PluginTest, ZoomInClimbsToItsFixedPoint)
{
    const struct {
        float start;
        double afterOne;
    } cases[] = {
        {0.0f, double(0.1f)},
        {-2.0f, -1.1000000238418579},
        {0.999f, 0.99900013208389282},
    };
    for (const auto& c : cases) {
        cameraState.zoom = c.start;
        Press(77);
        EXPECT_EQ(c.afterOne, double(cameraState.zoom)) << c.start;
    }
    cameraState.zoom = 0.0f;
    Press(77, 2);
    EXPECT_EQ(FloatBits(0.181f), FloatBits(cameraState.zoom));
    EXPECT_EQ("0.181000 pos:do", host.texts.back().text);

    for (float start : {-2.0f, -0.3f, 0.0f, 0.5f, 0.999f, ZOOM_TOP}) {
        cameraState.zoom = start;
        int presses = 0;
        while (cameraState.zoom != ZOOM_TOP && presses < 100000) Press(77), ++presses;
        EXPECT_EQ(0x3F7FDC3Au, FloatBits(cameraState.zoom)) << start;
        Press(77, 5);
        EXPECT_EQ(0x3F7FDC3Au, FloatBits(cameraState.zoom)) << start;
    }
    EXPECT_EQ("0.999454 pos:do", host.texts.back().text);
}

TEST_F(PluginTest, ZoomResets)
{
    cameraState.zoom = ZOOM_TOP;
    Press(78);
    EXPECT_EQ(0x3F7FBE77u, FloatBits(cameraState.zoom));
    for (float start : {-2.0f, 0.5f, ZOOM_TOP}) {
        cameraState.zoom = start;
        Press(74);
        EXPECT_EQ(0u, FloatBits(cameraState.zoom));
    }
}

TEST_F(PluginTest, SiteNameKeyShowsTheNameFirstThenTheStatusLine)
{
    hooks.Start();
    host.calls.clear();
    Press(71);
    EXPECT_EQ((std::vector<std::string>{"HostGetActiveCamera", "HostShowText", "HostShowText"}),
              host.calls);
    ASSERT_EQ(2u, host.texts.size());
    EXPECT_EQ("", host.texts[0].text);
    EXPECT_EQ(10, host.texts[0].duration);
    EXPECT_EQ(cameraState.site.name, host.texts[0].address);
    EXPECT_EQ("0.000000 pos:do", host.texts[1].text);
    EXPECT_EQ(1, host.texts[1].duration);

    host.SetSite("Harbour Point", 0, 0, 0);
    host.SetAircraft(10, 10, 10);
    Update();
    Press(71);
    EXPECT_EQ("Harbour Point", host.texts[2].text);
    EXPECT_EQ(cameraState.site.name, host.texts[2].address);
    EXPECT_EQ(cameraState.statusText, host.texts[3].address);
}

TEST_F(PluginTest, BindKeysBindsTheNineCodesEveryTime)
{
    hooks.BindKeys(0xB1D0u);
    hooks.BindKeys(0xB1D0u);
    const uint32_t order[] = {77, 75, 72, 80, 71, 74, 78, 73, 81};
    ASSERT_EQ(18u, host.bindings.size());
    for (size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(order[i % 9], host.bindings[i][0]);
        EXPECT_EQ(1u, host.bindings[i][1]);
        EXPECT_EQ(0xB1D0u, host.bindings[i][2]);
    }
    EXPECT_EQ(std::vector<std::string>(18, "HostBindKey"), host.calls);
}

TEST_F(PluginTest, StatusLineExamples)
{
    const struct {
        float zoom;
        int32_t upMode;
        const char* line;
    } cases[] = {
        {0.0f, 0, "0.000000 pos:do"},         {0.0f, 1, "0.000000 pos:up"},
        {0.1f, 0, "0.100000 pos:do"},         {-0.01f, 0, "-0.010000 pos:do"},
        {0.999f, 1, "0.999000 pos:up"},       {-1.1000000238418579f, 0, "-1.100000 pos:do"},
        {-2.0f, 1, "-2.000000 pos:up"},       {ZOOM_TOP, 0, "0.999454 pos:do"},
        {0.4140625f, 7, "0.414063 pos:do"},
    };
    for (const auto& c : cases) {
        cameraState.zoom = c.zoom;
        cameraState.upMode = c.upMode;
        Press(76);
        EXPECT_EQ(c.line, host.texts.back().text);
        EXPECT_LE(strlen(cameraState.statusText), 16u);
    }
}

TEST(StatusLine, IsCutToItsBuffer)
{
    char buffer[16];
    memset(buffer, 0x7E, sizeof buffer);
    EXPECT_EQ(9, FormatStatusLine(buffer, 10, -2.0f, "up"));
    EXPECT_STREQ("-2.000000", buffer);
    EXPECT_EQ(0x7E, buffer[10]);
    EXPECT_EQ(14, FormatStatusLine(buffer, 15, -2.0f, "up"));
    EXPECT_STREQ("-2.000000 pos:", buffer);
}

// Across the boundary: what a key sets is what the next frame does.
TEST_F(PluginTest, KeysSteerTheNextFrame)
{
    host.SetSite("S", 0, 0, 0);
    host.SetAircraft(400, 0, 100);
    EXPECT_EQ(25.0, Update().position.component[2]);
    Press(77);  // zoom 0.1
    Frame frame = Update();
    EXPECT_EQ(double(0.1f) * 400, frame.position.component[0]);
    Press(73, 2);  // up mode, 0.5 above the aircraft
    frame = Update();
    EXPECT_EQ(100.5, frame.position.component[2]);
    Press(80);
    EXPECT_NE(100.5, Update().position.component[2]);
    Press(72);  // back in up mode: same height as before
    EXPECT_EQ(100.5, Update().position.component[2]);
    Press(75, 20);
    EXPECT_EQ(double(cameraState.zoom) * 400, Update().position.component[0]);
    EXPECT_LT(cameraState.zoom, 0.0f);
}

}  // namespace
