// Checks of CameraStart and CameraUpdate: placement, aiming, parking, the
// ground, and what the host's answers do to a frame.
#include <cmath>
#include <cstring>
#include <limits>

#include "checks/check_support.h"

using contract::Position;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();

// A frame in which HostFindSite writes nothing; answers the output position.
Position UpdateWithoutASite(CheckContext& c, const Position& target)
{
    c.host.findSite = [](const Position&, uint8_t*, uint8_t*) {};
    c.host.aircraft = [target] { return target; };
    c.host.ClearRecords();
    Position position;
    contract::Orientation orientation;
    c.host.Update(&position, &orientation);
    return position;
}

void StartAttachesTheCamera(CheckContext& c)
{
    c.host.InitPrivate();
    c.host.Init();
    for (int round = 0; round < 2; ++round) {
        c.host.ClearRecords();
        c.host.Start();
        const std::vector<std::string> expected =
            round == 0 ? std::vector<std::string>{"HostGetUserObject", "HostHasCamera", "HostAddCamera"}
                       : std::vector<std::string>{"HostGetUserObject", "HostHasCamera"};
        const std::string at = round == 0 ? "first CameraStart: " : "second CameraStart: ";
        c.Expect(c.host.calls == expected, at + "calls " + Join(c.host.calls));
        for (const ObjectBytes& object : c.host.cameraObjects)
            c.Expect(object == c.host.userObject, at + "passed an object that is not the user's aircraft");
        for (const auto& args : c.host.hasCameraArgs)
            c.Expect(args[0] == contract::CAMERA_TYPE_CODE, at + "asked for another camera type");
        for (const auto& args : c.host.addCameraArgs)
            c.Expect(args[0] == contract::CAMERA_TYPE_CODE && args[1] == 0,
                     at + "HostAddCamera without the type code and 0");
    }
}

void StartClearsTheSite(CheckContext& c)
{
    c.host.Boot();
    Scene scene;
    scene.siteName = "Quay";
    scene.target = {{300, 200, 90}};
    Press(c, 77, 2);
    Press(c, 73, 3);
    ExpectFrame(c, "tracking before CameraStart", scene);
    c.host.Start();
    // The settings and the last heading survive it.
    Scene far = scene;
    far.target = {{3000, 200, 90}};
    ExpectFrame(c, "parked after CameraStart", far);
    ExpectFrame(c, "tracking after CameraStart", scene);
    c.host.Start();
    c.host.ClearRecords();
    c.host.Key(71);
    c.Expect(!c.host.texts.empty() && c.host.texts[0].text.empty(),
             "the site's name right after CameraStart is not empty");
    // The all-zero site: reference point (0, 0, 0) when the host writes nothing.
    c.host.Start();
    const Position target = {{300, 0, 80}};
    const Position position = UpdateWithoutASite(c, target);
    const ModelFrame expected =
        ModelUpdate(c.model, Position{{0, 0, 0}}, target, c.lastHeading, c.host.distance, c.host.ground);
    c.Expect(SamePosition(position, expected.position),
             "with the site cleared and not rewritten the camera stands at " + Show(position) +
                 ", expected " + Show(expected.position));
}

void CallOrderAndBothRecords(CheckContext& c)
{
    c.host.Boot();
    Scene scene;
    ExpectFrame(c, "tracking", scene);
    scene.target = {{0, 900, 40}};
    ExpectFrame(c, "parked", scene);
    // Every component written, also over a marker that is a valid double.
    for (double marker : {NaN, 1.0e300}) {
        for (const Position& target : {Position{{100, 0, 50}}, Position{{0, 900, 40}}}) {
            c.host.aircraft = [target] { return target; };
            Position position = {{marker, marker, marker}};
            contract::Orientation orientation = {marker, marker, marker};
            c.host.Update(&position, &orientation);
            const double* values[] = {&position.c[0], &position.c[1], &position.c[2],
                                      &orientation.pitch, &orientation.heading, &orientation.bank};
            for (const double* v : values)
                c.Expect(!SameBits(*v, marker), "a component of an output record was not written");
        }
    }
}

void VicinityBounds(CheckContext& c)
{
    c.host.Boot();
    const struct {
        double dy, dx;
    } cases[] = {
        {650.0, 0}, {-650.0, 0}, {0, 650.0}, {0, -650.0}, {649.99, -649.5}, {-649.5, 649.99},
        {INF, 0},   {0, -INF},   {1e300, 0}, {0, 3e9},    {NaN, 0},         {0, NaN},
        {NaN, 700}, {0, 0},      {-649.999, 649.999},
    };
    for (const auto& k : cases) {
        Scene scene;
        scene.site = {{1000, -2000, 30}};
        scene.target = {{1000 + k.dx, -2000 + k.dy, 80}};
        ExpectFrame(c, "dy " + Show(k.dy) + ", dx " + Show(k.dx), scene);
    }
}

void ParkedFrames(CheckContext& c)
{
    c.host.Boot();
    Scene far;
    far.siteName = "North Field";
    far.site = {{100, 200, 50}};
    far.target = {{800, 200, 90}};
    ExpectFrame(c, "parked before any tracking", far);
    Press(c, 77, 3);
    ExpectFrame(c, "parked at another zoom", far);
    Scene near = far;
    near.target = {{400, 500, 90}};
    ExpectFrame(c, "tracking", near);
    for (int i = 0; i < 3; ++i) ExpectFrame(c, "parked after tracking", far);
}

void HeightRules(CheckContext& c)
{
    c.host.Boot();
    Scene scene;
    scene.site = {{10, 20, 300}};
    scene.target = {{110, 60, 900}};
    ExpectFrame(c, "down mode at zoom 0", scene);
    Press(c, 77, 4);
    ExpectFrame(c, "down mode zoomed in", scene);
    Press(c, 75, 250);
    ExpectFrame(c, "down mode beyond the site", scene);
    Press(c, 73, 7);
    ExpectFrame(c, "up mode with an offset", scene);
    Press(c, 81, 12);
    ExpectFrame(c, "up mode below the aircraft", scene);
    Press(c, 80);
    ExpectFrame(c, "down mode keeps the offset aside", scene);
    Press(c, 72);
    ExpectFrame(c, "up mode takes it up again", scene);
    Press(c, 78);
    ExpectFrame(c, "next to the aircraft", scene);
    Press(c, 74);
    Press(c, 80);
    scene.target = {{10, 20, 5000}};
    ExpectFrame(c, "straight above the site", scene);
}

// Headings on either side of each bound of the two remapping intervals,
// and on either side of pi/4 and 3pi/4, which are not the bounds.
void RemappingIntervals(CheckContext& c)
{
    c.host.Boot();
    Press(c, 77, 2);
    for (double heading : {0.7849, 0.7851, 0.7853, 0.7855, 2.3499, 2.3501, 2.3558, 2.3565, -0.7849,
                           -0.7851, -2.3499, -2.3501, 0.0, 1.5, -1.5, 3.1, -3.1}) {
        Scene scene;
        scene.site = {{-50, 70, 0}};
        scene.target = {{-50 + 400 * std::cos(heading), 70 + 400 * std::sin(heading), 60}};
        ExpectFrame(c, "heading " + Show(heading), scene);
    }
}

void SinglePrecisionAnswers(CheckContext& c)
{
    c.host.Boot();
    Press(c, 72);  // up mode, offset 0: the camera at the aircraft's altitude
    for (double altitude : {100.3, 100.1, 64.0}) {
        for (double ground : {altitude, altitude - 0.5, altitude + 0.5}) {
            Scene scene;
            scene.target = {{30, 40, altitude}};
            scene.ground = [ground](const Position&) { return ground; };
            scene.distance = [](const Position&, const Position&) { return 0.1; };
            ExpectFrame(c, "altitude " + Show(altitude) + ", ground " + Show(ground), scene);
        }
    }
}

void ZeroAndOddDistances(CheckContext& c)
{
    c.host.Boot();
    for (int32_t key : {73, 81, 81, 73}) {  // above, level, below, level
        Press(c, key);
        for (double distance : {0.0, -0.0, 1e-30, 3e38, 1e300, INF, NaN}) {
            Scene scene;
            scene.distance = [distance](const Position&, const Position&) { return distance; };
            ExpectFrame(c, "offset " + Show(c.model.heightOffset) + ", distance " + Show(distance), scene);
        }
    }
}

void NaNTargetFlowsThrough(CheckContext& c)
{
    c.host.Boot();
    Scene scene;
    scene.target = {{NaN, 100, 20}};
    ExpectFrame(c, "NaN in the target", scene);
    scene.target = {{0, 900, 20}};
    ExpectFrame(c, "parked after a NaN heading", scene);
    scene.target = {{100, 100, NaN}};
    scene.ground = [](const Position&) { return NaN; };
    ExpectFrame(c, "NaN altitude and ground", scene);
}

void SiteTheHostDoesNotWrite(CheckContext& c)
{
    c.host.Boot();
    Scene scene;
    scene.siteName = "Kept";
    scene.site = {{1000, 1000, 0}};
    scene.target = {{1100, 1000, 0}};
    RunFrame(c, scene);
    const Position position = UpdateWithoutASite(c, {{1000, 2000, 0}});
    c.Expect(SamePosition(position, Position{{1000, 1000, 7500}}),
             "a site the host did not write was not the last one: " + Show(position));
    c.Expect(!c.host.texts.empty() && c.host.texts[0].text == "Kept", "the last site's name was not shown");
}

// A name the host left without a terminator: what the host gets back must end
// inside the 248 bytes of the record behind byte 24.
void UnterminatedSiteName(CheckContext& c)
{
    c.host.Boot();
    // Every byte 'A': the position at byte 232 holds no zero byte either, and
    // lies far away, so the frame parks and shows the name.
    c.host.findSite = [](const Position&, uint8_t* site, uint8_t* extra) {
        memset(site, 'A', contract::SITE_SIZE);
        memset(extra, 'X', contract::SITE_EXTRA_SIZE);
    };
    c.host.ClearRecords();
    Position position;
    contract::Orientation orientation;
    c.host.Update(&position, &orientation);
    c.host.Key(71);
    for (const ShownText& text : c.host.texts) {
        if (text.duration != 10) continue;
        c.Expect(text.text.size() <= contract::SITE_SIZE - contract::SITE_NAME,
                 "the site's name runs " + std::to_string(text.text.size()) + " bytes, past its record");
        c.Expect(text.text.find('X') == std::string::npos, "the site's name runs into the extra area");
    }
}

const std::vector<Check> CHECKS = {
    {"start-attaches-the-camera", &StartAttachesTheCamera},
    {"start-clears-the-site", &StartClearsTheSite},
    {"frame-call-order-and-records", &CallOrderAndBothRecords},
    {"vicinity-bounds", &VicinityBounds},
    {"parked-frames", &ParkedFrames},
    {"height-rules", &HeightRules},
    {"remapping-intervals", &RemappingIntervals},
    {"single-precision-answers", &SinglePrecisionAnswers},
    {"zero-and-odd-distances", &ZeroAndOddDistances},
    {"nan-target-flows-through", &NaNTargetFlowsThrough},
    {"site-the-host-does-not-write", &SiteTheHostDoesNotWrite},
    {"unterminated-site-name", &UnterminatedSiteName},
};

}  // namespace

const std::vector<Check>& FrameChecks()
{
    return CHECKS;
}
