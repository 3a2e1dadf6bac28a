#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plugin_fixture.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();
const double HALF_PI = std::atan(INF);

const std::vector<std::string> TRACKING_CALLS = {"HostGetUserObject", "HostGetObjectPosition",
                                                 "HostFindSite", "HostGetDistance",
                                                 "HostGetGroundHeight"};
const std::vector<std::string> PARKED_CALLS = {"HostGetUserObject", "HostGetObjectPosition",
                                               "HostFindSite", "HostShowText"};

void ExpectPosition(const PositionRecord& actual, double c0, double c1, double c2)
{
    EXPECT_EQ(DoubleBits(c0), DoubleBits(actual.component[0])) << actual.component[0] << " vs " << c0;
    EXPECT_EQ(DoubleBits(c1), DoubleBits(actual.component[1])) << actual.component[1] << " vs " << c1;
    EXPECT_EQ(DoubleBits(c2), DoubleBits(actual.component[2])) << actual.component[2] << " vs " << c2;
}

TEST_F(PluginTest, VicinityTestOnEachAxis)
{
    const struct {
        double dy, dx;
        bool parked;
    } cases[] = {
        {650.0, 0, true},     {-650.0, 0, true},   {0, 650.0, true},  {0, -650.0, true},
        {649.99, -649.5, false}, {-649.5, 649.99, false}, {0, 700, true},
        {INF, 0, true},       {0, -INF, true},     {1e300, 0, true},  {0, 5e9, true},
        {NaN, 0, false},      {0, NaN, false},     {NaN, 700, true},  {0, 0, false},
    };
    host.SetSite("Vic", 1000, -2000, 30);
    for (const auto& c : cases) {
        host.calls.clear();
        host.SetAircraft(1000 + c.dx, -2000 + c.dy, 80);
        Update();
        EXPECT_EQ(c.parked ? PARKED_CALLS : TRACKING_CALLS, host.calls)
            << "dy " << c.dy << ", dx " << c.dx;
    }
}

TEST_F(PluginTest, ParkedFrameStandsAboveTheSiteWithTheLastTrackingHeading)
{
    host.SetSite("North Field", 100, 200, 50);
    host.SetAircraft(800, 200, 90);  // dx 700
    for (float zoom : {0.0f, 0.5f, -2.0f}) {
        cameraState.zoom = zoom;
        Frame frame = Update();
        ExpectPosition(frame.position, 100, 200, 50 + 7500.0);
        EXPECT_EQ(DoubleBits(1.57), DoubleBits(frame.orientation.pitch));
        EXPECT_EQ(DoubleBits(0.0), DoubleBits(frame.orientation.heading));
        EXPECT_EQ(DoubleBits(0.0), DoubleBits(frame.orientation.bank));
    }
    host.SetAircraft(400, 500, 90);  // tracking, heading atan2(300, 300)
    Update();
    const double tracked = std::atan2(300.0, 300.0);
    host.SetAircraft(100, 1200, 90);
    host.texts.clear();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(DoubleBits(tracked), DoubleBits(Update().orientation.heading));
    ASSERT_EQ(3u, host.texts.size());
    for (const ShownText& text : host.texts) {
        EXPECT_EQ("North Field", text.text);
        EXPECT_EQ(10, text.duration);
        EXPECT_EQ(cameraState.site.name, text.address);
    }
}

struct PlacementCase {
    const char* what;
    float zoom;
    int32_t upMode;
    float heightOffset;
    PositionRecord site, target;
    PositionRecord camera;  // expected, also the output position without lift
    double heading;
};

TEST_F(PluginTest, PlacementOnTheLineAndHeightRules)
{
    const PlacementCase cases[] = {
        {"down, zoom 0: altitude 25 whatever the target", 0.0f, 0, 0,
         {{10, 20, 300}}, {{110, 20, 900}}, {{10, 20, 25}}, 0.0},
        {"up, zoom 0: offset above the target", 0.0f, 1, 12.5f,
         {{10, 20, 300}}, {{110, 20, 900}}, {{10, 20, 912.5}}, 0.0},
        {"down, zoom -2: beyond the site", -2.0f, 0, 0,
         {{0, 0, 0}}, {{100, 0, 40}}, {{-200, 0, 145}}, 0.0},
        {"down, zoom 0.5: the worked example", 0.5f, 0, 0,
         {{0, 0, 10}}, {{300, 400, 110}}, {{150, 200, 61.25}}, std::atan2(400.0, 300.0)},
        {"up mode other than 1 is down mode", 0.5f, 2, 100,
         {{0, 0, 10}}, {{300, 400, 110}}, {{150, 200, 61.25}}, std::atan2(400.0, 300.0)},
        {"straight above the site", 0.75f, 0, 0,
         {{5, 6, 7}}, {{5, 6, 500}}, {{5, 6, 25 * 0.0625 + 375}}, 0.0},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.what);
        cameraState.zoom = c.zoom;
        cameraState.upMode = c.upMode;
        cameraState.heightOffset = c.heightOffset;
        host.SetSite("S", c.site.component[0], c.site.component[1], c.site.component[2]);
        host.aircraft = c.target;
        Frame frame = Update();
        ExpectPosition(frame.position, c.camera.component[0], c.camera.component[1],
                       c.camera.component[2]);
        ExpectPosition(cameraState.camPos, c.camera.component[0], c.camera.component[1],
                       c.camera.component[2]);
        EXPECT_EQ(DoubleBits(c.heading), DoubleBits(frame.orientation.heading));
        EXPECT_EQ(DoubleBits(0.0), DoubleBits(frame.orientation.bank));
    }
}

TEST_F(PluginTest, WorkedExampleRemapsTheTargetAndAimsAtIt)
{
    cameraState.zoom = 0.5f;
    host.SetSite("S", 0, 0, 10);
    host.SetAircraft(300, 400, 110);
    host.distance = 250;
    Frame frame = Update();
    ExpectPosition(host.distanceFrom, 150, 200, 61.25);
    ExpectPosition(host.distanceTo, -50, 50, 110);
    EXPECT_EQ(DoubleBits(std::atan(-48.75 / 250.0)), DoubleBits(frame.orientation.pitch));
    ExpectPosition(host.groundAt, 150, 200, 61.25);
}

// A (dy, dx) whose atan2 is exactly the heading asked for.
bool DifferenceForHeading(double heading, double& dy, double& dx)
{
    for (double radius : {100.0, 300.0, 500.0, 77.0, 11.0}) {
        dx = radius * std::cos(heading);
        dy = radius * std::sin(heading);
        for (int step = 0; step < 256; ++step) {
            const double h = std::atan2(dy, dx);
            if (h == heading) return true;
            // Turn towards the heading by one unit in the last place of dy.
            const bool turnLeft = (h < heading) == (dx > 0);
            dy = std::nextafter(dy, turnLeft ? INF : -INF);
        }
    }
    return false;
}

TEST_F(PluginTest, RemappingIntervalsAreOpenAndNotQuarterPi)
{
    const double quarterPi = std::atan(1.0);
    const struct {
        double heading;
        bool remapped;
    } cases[] = {
        {0.785, false}, {2.35, false}, {-0.785, false}, {-2.35, false},
        {0.0, false}, {std::atan2(0.0, -1.0), false},
        {(0.785 + quarterPi) / 2, true}, {(2.35 + 3 * quarterPi) / 2, false},
        {1.5, true}, {-1.5, true}, {-(0.785 + quarterPi) / 2, true}, {2.349, true},
        {-2.3499, true}, {0.784, false}, {3.0, false}, {-3.0, false},
    };
    cameraState.zoom = 0.25f;
    cameraState.upMode = 1;
    for (const auto& c : cases) {
        double dy, dx;
        ASSERT_TRUE(DifferenceForHeading(c.heading, dy, dx)) << c.heading;
        host.SetSite("S", 0, 0, 0);
        host.SetAircraft(dx, dy, 50);
        Frame frame = Update();
        ASSERT_EQ(DoubleBits(c.heading), DoubleBits(frame.orientation.heading));
        const double c0 = 0.25 * dx, c1 = 0.25 * dy;
        if (c.remapped)
            ExpectPosition(host.distanceTo, (c1 - dy) + c0, (c0 - dx) + c1, 50);
        else
            ExpectPosition(host.distanceTo, dx, dy, 50);
    }
}

TEST_F(PluginTest, PitchFromTheHostsDistance)
{
    const struct {
        const char* what;
        float offset;
        double distance;
        double pitch;
    } cases[] = {
        {"above, zero distance", 10, 0.0, HALF_PI},
        {"below, zero distance", -10, 0.0, -HALF_PI},
        {"level, zero distance", 0, 0.0, NaN},
        {"level, positive distance: +0", 0, 30.0, 0.0},
        {"distance used as float", 10, 0.1, std::atan(10.0 / double(0.1f))},
        {"looking down", 30, 40.0, std::atan(30.0 / 40.0)},
    };
    cameraState.upMode = 1;
    host.SetSite("S", 0, 0, 0);
    host.SetAircraft(100, 0, 50);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cameraState.heightOffset = c.offset;
        host.distance = c.distance;
        const double pitch = Update().orientation.pitch;
        if (std::isnan(c.pitch))
            EXPECT_TRUE(std::isnan(pitch));
        else
            EXPECT_EQ(DoubleBits(c.pitch), DoubleBits(pitch));
    }
}

TEST_F(PluginTest, GroundLiftsOnlyACameraBelowIt)
{
    const struct {
        const char* what;
        double altitude, ground, expected;
    } cases[] = {
        {"equal", 64, 64, 64},
        {"0.5 below", 64, 63.5, 64},
        {"0.5 above", 64, 64.5, 69.5},
        {"100.3: the float lies above, so lifted", 100.3, 100.3, double(100.3f) + 5.0},
        {"100.1: the float lies below, no lift", 100.1, 100.1, 100.1},
        {"NaN ground", 64, NaN, 64},
        {"NaN altitude", NaN, 1000, NaN},
    };
    cameraState.upMode = 1;
    host.SetSite("S", 0, 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host.SetAircraft(30, 40, c.altitude);
        host.groundHeight = c.ground;
        Frame frame = Update();
        EXPECT_EQ(DoubleBits(c.expected), DoubleBits(frame.position.component[2]))
            << frame.position.component[2];
        // camPos, and so the pitch, keep the camera's own altitude.
        EXPECT_EQ(DoubleBits(c.altitude), DoubleBits(cameraState.camPos.component[2]));
    }
}

TEST_F(PluginTest, NaNInTheTargetFlowsThroughToTheNextParkedFrame)
{
    host.SetSite("S", 0, 0, 0);
    host.SetAircraft(NaN, 100, 20);
    Frame frame = Update();
    EXPECT_EQ(TRACKING_CALLS, host.calls);
    EXPECT_TRUE(std::isnan(cameraState.dx));
    EXPECT_TRUE(std::isnan(frame.position.component[0]));
    EXPECT_EQ(100 * 0.0 + 0, frame.position.component[1]);
    EXPECT_TRUE(std::isnan(frame.orientation.heading));
    EXPECT_TRUE(std::isnan(host.distanceTo.component[0]));  // not remapped
    EXPECT_EQ(100, host.distanceTo.component[1]);
    host.SetAircraft(0, 900, 20);
    EXPECT_TRUE(std::isnan(Update().orientation.heading));
}

TEST_F(PluginTest, ASiteTheHostDoesNotWriteIsTheLastOne)
{
    host.SetSite("Kept", 1000, 1000, 0);
    host.SetAircraft(1100, 1000, 0);
    Update();
    host.findSiteWrites = false;
    host.SetSite("Other", 0, 0, 0);
    Frame frame = Update();
    EXPECT_EQ(DoubleBits(1000.0), DoubleBits(frame.position.component[0]));
    EXPECT_STREQ("Kept", cameraState.site.name);
    // After CameraStart the record is all zero: reference point (0, 0, 0).
    hooks.Start();
    host.SetAircraft(100, 0, 40);
    ExpectPosition(Update().position, 0, 0, 25);
    host.SetAircraft(1100, 0, 40);
    Update();
    EXPECT_EQ("", host.texts.back().text);
}

TEST_F(PluginTest, StartAttachesTheCameraTypeOnlyWhenMissingAndClearsTheSite)
{
    for (int32_t hasCamera : {0, 1, -5}) {
        host.calls.clear();
        host.cameraObjects.clear();
        host.cameraArgs.clear();
        host.hasCamera = hasCamera;
        memset(&cameraState.site, 0x3C, sizeof cameraState.site);
        cameraState.zoom = 0.25f;
        cameraState.heading = 1.0;
        CameraState before;
        memcpy(&before, &cameraState, sizeof before);
        hooks.Start();
        std::vector<std::string> expected = {"HostGetUserObject", "HostHasCamera"};
        if (hasCamera == 0) expected.push_back("HostAddCamera");
        EXPECT_EQ(expected, host.calls);
        EXPECT_EQ(CAMERA_TYPE_CODE, host.cameraArgs[0][0]);
        if (hasCamera == 0) {
            EXPECT_EQ(host.cameraObjects[0], host.cameraObjects[1]);
            EXPECT_EQ(CAMERA_TYPE_CODE, host.cameraArgs[1][0]);
            EXPECT_EQ(0u, host.cameraArgs[1][1]);
        }
        // The hook's own reference, not the frame's.
        EXPECT_NE(static_cast<const void*>(&cameraState.userObject), host.cameraObjects[0]);
        const SiteRecord zero = {};
        EXPECT_EQ(0, memcmp(&zero, &cameraState.site, sizeof zero));
        CameraState expectedState;
        memcpy(&expectedState, &before, sizeof before);
        memset(&expectedState.site, 0, sizeof expectedState.site);
        EXPECT_EQ(0, memcmp(&expectedState, &cameraState, sizeof expectedState));
    }
}

}  // namespace

namespace {

// A host that leaves the name without a terminator: every one of the 272
// bytes non-zero, the position among them far away, so the frame parks.
// The name handed back ends right behind the record, inside the plug-in's
// own storage, and not in whatever follows it.
TEST_F(PluginTest, ANameWithoutTerminatorEndsBehindTheRecord)
{
    memset(&host.site, 'A', sizeof host.site);
    Update();
    Press(71);
    ASSERT_EQ(3u, host.texts.size());
    for (int i : {0, 1}) {
        EXPECT_EQ(std::string(248, 'A'), host.texts[size_t(i)].text);
        EXPECT_EQ(cameraState.site.name, host.texts[size_t(i)].address);
    }
    EXPECT_EQ(10, host.texts[1].duration);
}

}  // namespace
