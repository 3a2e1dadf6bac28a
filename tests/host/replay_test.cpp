#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "flight/embedded.h"
#include "flight/replay.h"

namespace {

// Two frames; the texts come from two addresses, the first one twice.
Flight SmallFlight(const char* nameAddress, const char* statusAddress)
{
    Flight flight;
    flight.displayName = "Lumvet Camera";
    flight.plugin = "C:\\plug-ins\\Lumvet.dll (32-bit Windows DLL)";
    FrameRow row{};
    row.siteName = "Harbour Point";
    row.texts = {{"</script><b>\"caf\xE9\"", 10, nameAddress}};
    flight.rows.push_back(row);
    row.frame = 1;
    row.time = 0.1;
    row.status = "0.100000 pos:up";
    row.texts = {{"@FLIGHT_JSON@ /*@THREE_JS@*/", 10, nameAddress}, {"0.100000 pos:up", 1, statusAddress}};
    flight.rows.push_back(row);
    flight.keys = {{0.1, "zoom-in", false}, {0.1, "zoom-in", true}};
    return flight;
}

TEST(Replay, FlightJsonIsSafeInsideAScriptElement)
{
    const char name[] = "name", status[] = "status";
    const std::string json = FlightJson(SmallFlight(name, status), DefaultWorld());
    EXPECT_EQ(std::string::npos, json.find('<'));
    EXPECT_NE(std::string::npos, json.find(R"("\u003c/script\u003e\u003cb\u003e\"caf\u00e9\"")")) << json;
    EXPECT_NE(std::string::npos, json.find(R"x("plugin":"C:\\plug-ins\\Lumvet.dll (32-bit Windows DLL)")x"));
    EXPECT_NE(std::string::npos, json.find(R"("keys":[[0.1,"zoom-in",0],[0.1,"zoom-in",1]])"));
    // One screen line per address, numbered in order of first use.
    EXPECT_NE(std::string::npos, json.find(R"([1,0,"@FLIGHT_JSON@ /*@THREE_JS@*/",10],[1,1,"0.100000 pos:up",1])"))
        << json;
    EXPECT_NE(std::string::npos, json.find(R"("statuses":["","0.100000 pos:up"])"));
    EXPECT_NE(std::string::npos, json.find(R"("status":[0,1])"));
}

TEST(Replay, NumbersThatJsonCannotHoldBecomeNull)
{
    Flight flight = SmallFlight("a", "b");
    flight.rows[0].camera = {{1.5, NAN, -INFINITY}};
    const std::string json = FlightJson(flight, DefaultWorld());
    EXPECT_NE(std::string::npos, json.find(R"("camera":[1.5,null,null,)")) << json;
}

TEST(Replay, PageHoldsTheLibraryAndTheFlightOnce)
{
    if (ThreeJs().empty()) GTEST_SKIP() << "built without three.js";
    const Flight flight = SmallFlight("a", "b");
    std::string html, whyNot;
    ASSERT_TRUE(ReplayHtml(flight, DefaultWorld(), html, whyNot)) << whyNot;
    EXPECT_TRUE(whyNot.empty());
    const std::string json = FlightJson(flight, DefaultWorld());
    const size_t library = html.find(ThreeJs());
    const size_t data = html.find(json);
    ASSERT_NE(std::string::npos, library);
    ASSERT_NE(std::string::npos, data);
    EXPECT_LT(library, data);
    EXPECT_EQ(std::string::npos, html.find(json, data + 1));
    // The flight's own texts that look like the template's places stay data.
    EXPECT_EQ(html.size(), ReplayPageTemplate().size() - std::string("/*@THREE_JS@*/@FLIGHT_JSON@").size() +
                               ThreeJs().size() + json.size());
    EXPECT_NE(std::string::npos, html.find("<title>Lumvet Camera replay</title>"));
    // Whole in itself: the page loads no script, style or image of its own.
    for (const char* fetch : {" src=", "<link", "url(", "import "})
        EXPECT_EQ(std::string::npos, ReplayPageTemplate().find(fetch)) << fetch;
}

}  // namespace
