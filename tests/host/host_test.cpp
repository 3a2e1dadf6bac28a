#include <gtest/gtest.h>

#include <cmath>

#include "flight/compare.h"
#include "checks/model.h"
#include "flight/scripts.h"
#include "sim/world.h"

namespace {

TEST(World, NearestSiteIsHorizontalAndFirstOnATie)
{
    World world;
    world.sites = {{"A", {{0, 0, 0}}}, {"B", {{100, 0, 0}}}, {"C", {{0, 100, 0}}}};
    EXPECT_EQ("A", world.NearestSite({{10, 10, 9000}}).name);  // altitude does not count
    EXPECT_EQ("B", world.NearestSite({{80, 10, 0}}).name);
    EXPECT_EQ("A", world.NearestSite({{50, 0, 0}}).name);      // tie between A and B
    EXPECT_EQ("B", world.NearestSite({{100, 100, 0}}).name);   // tie between B and C
}

TEST(World, RouteInterpolatesAndHoldsItsEnds)
{
    World world;
    world.route = {{10, {{0, 0, 100}}}, {20, {{100, -50, 200}}}, {40, {{100, 50, 0}}}};
    const struct {
        double time;
        contract::Position expected;
    } cases[] = {
        {0, {{0, 0, 100}}},     {10, {{0, 0, 100}}},     {15, {{50, -25, 150}}},
        {20, {{100, -50, 200}}}, {30, {{100, 0, 100}}},  {99, {{100, 50, 0}}},
    };
    for (const auto& c : cases) {
        const contract::Position p = world.AircraftAt(c.time);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(c.expected.c[k], p.c[k]) << "time " << c.time;
    }
}

TEST(World, TerrainIsTheSumOfItsHills)
{
    World world;
    world.hills = {{0, 0, 100, 10}, {30, 40, 50, 5}};
    EXPECT_DOUBLE_EQ(100 + 50 / (1 + 2500.0 / 25), world.GroundHeight({{0, 0, 0}}));
    EXPECT_DOUBLE_EQ(100 / (1 + 2500.0 / 100) + 50, world.GroundHeight({{30, 40, 7}}));
    EXPECT_DOUBLE_EQ(0.0, World{}.GroundHeight({{1, 2, 3}}));
    // The default world has a hill that a camera beyond Harbour Point meets.
    EXPECT_GT(DefaultWorld().GroundHeight({{-420, 60, 0}}), 100.0);
    EXPECT_EQ(5.0, Distance3D({{1, 2, 3}}, {{4, 6, 3}}));
}

TEST(Scripts, ParseRouteAndKeys)
{
    std::vector<Waypoint> route;
    std::string error;
    ASSERT_TRUE(ParseRoute("r", "# a comment\n0 1 2 3\n\n2.5 -4 5e2 6 # trailing\n", route, error)) << error;
    ASSERT_EQ(2u, route.size());
    EXPECT_EQ(2.5, route[1].time);
    EXPECT_EQ(500.0, route[1].position.c[1]);

    std::vector<KeyEvent> keys;
    ASSERT_TRUE(ParseKeys("k", "1 zoom-in 3\n1 75\n2 other-camera\n2.5 -1\n3 this-camera\n", keys, error)) << error;
    ASSERT_EQ(5u, keys.size());
    EXPECT_EQ(77, keys[0].code);
    EXPECT_EQ(3, keys[0].count);
    EXPECT_EQ(75, keys[1].code);
    EXPECT_EQ(KeyEvent::OTHER_CAMERA, keys[2].kind);
    EXPECT_EQ(-1, keys[3].code);
    EXPECT_EQ(KeyEvent::THIS_CAMERA, keys[4].kind);
    ASSERT_TRUE(ParseKeys("(default keys)", DEFAULT_KEYS, keys, error)) << error;
}

TEST(Scripts, BadInputNamesFileLineAndWhatWasExpected)
{
    const struct {
        bool route;
        const char* text;
        const char* error;
    } cases[] = {
        {true, "", "r: expected at least one waypoint, found none"},
        {true, "# only comments\n\n", "r: expected at least one waypoint, found none"},
        {true, "0 1 2\n", "r:1: expected TIME X Y Z, got 3 words"},
        {true, "0 1 2 3\n1 1 2 x\n", "r:2: expected a number for Z, got 'x'"},
        {true, "0 1 2 3\n0 4 5 6\n", "r:2: expected a time after the previous waypoint's, got 0"},
        {true, "5 1 2 3\n4 4 5 6\n", "r:2: expected a time after the previous waypoint's, got 4"},
        {true, "0 nan 2 3\n", "r:1: expected a number for X, got 'nan'"},
        {false, "1 zoom-sideways\n", "k:1: expected a key code or one of site-name"},
        {false, "1\n", "k:1: expected TIME KEY [COUNT], got 1 words"},
        {false, "2 up\n1 down\n", "k:2: expected a time not before"},
        {false, "1 up 0\n", "k:1: expected a count from 1 to 100000, got '0'"},
        {false, "x up\n", "k:1: expected a time in seconds, got 'x'"},
        {false, "1 99999999999\n", "k:1: expected a key code"},
    };
    for (const auto& c : cases) {
        std::string error;
        std::vector<Waypoint> route;
        std::vector<KeyEvent> keys;
        const bool ok = c.route ? ParseRoute("r", c.text, route, error) : ParseKeys("k", c.text, keys, error);
        EXPECT_FALSE(ok) << c.text;
        EXPECT_EQ(0u, error.find(c.error)) << "got: " << error;
    }
    std::string text, error;
    EXPECT_FALSE(ReadTextFile("/nonexistent/route.txt", text, error));
    EXPECT_EQ("/nonexistent/route.txt: cannot read the file", error);
}

TEST(Model, SixDecimalsByTheNumberRule)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.4140625, "0.414063"}, {0.0, "0.000000"}, {-2.0, "-2.000000"}, {double(0.1f), "0.100000"},
        {1.95e-05, "0.000020"},  {-1e-9, "-0.000000"}, {0.9999995, "1.000000"}, {123456.0000005, "123456.000001"},
        {1e17, "100000000000000000.000000"}, {double(0.99945414066314697f), "0.999454"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, ModelSixDecimals(c.value)) << c.value;
}

TEST(Compare, PositionsToTheBitAnglesWithinTolerance)
{
    const std::string header = "frame,camera_0,heading,site\n";
    const std::string a = header + "0,1.5,0.5,\"A, B\"\n";
    std::string report;
    EXPECT_TRUE(CompareFrames(a, a, report)) << report;
    EXPECT_TRUE(CompareFrames(a, header + "0,1.5,0.5000000000000001,\"A, B\"\n", report)) << report;
    EXPECT_FALSE(CompareFrames(a, header + "0,1.5000000000000002,0.5,\"A, B\"\n", report));
    EXPECT_EQ("frame 0, camera_0: 1.5 against 1.5000000000000002", report);
    EXPECT_FALSE(CompareFrames(a, header + "0,1.5,0.5001,\"A, B\"\n", report));
    EXPECT_FALSE(CompareFrames(a, header + "0,1.5,0.5,\"A; B\"\n", report));
    EXPECT_FALSE(CompareFrames(a, a + a.substr(header.size()), report));
}

}  // namespace
