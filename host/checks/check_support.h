// What every conformance check has at hand: a freshly loaded plug-in, a
// simulated host, a list of what differed, and helpers to run a frame or a
// key and hold it against the model.
#pragma once
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "checks/model.h"
#include "sim/sim_host.h"

struct CheckContext {
    CheckContext(const PluginBinary& plugin, uint32_t seed) : host(plugin), random(seed), seed(seed) {}
    SimHost host;
    std::mt19937 random;
    uint32_t seed;
    std::vector<std::string> failures;
    ModelSettings model;       // the settings the keys should have made
    double lastHeading = 0.0;  // the heading a parked frame should report

    // Records a failure unless ok; answers ok.
    bool Expect(bool ok, const std::string& what);
};

using CheckFn = void (*)(CheckContext&);
struct Check {
    const char* name;
    CheckFn run;
};

// The checks of each group, in the order they run.
const std::vector<Check>& BoundaryChecks();
const std::vector<Check>& FrameChecks();
const std::vector<Check>& KeyChecks();

// A frame's world: the site the host answers, the aircraft, the services'
// answers.
struct Scene {
    std::string siteName = "Test Site";
    contract::Position site = {{0, 0, 0}};
    contract::Position target = {{100, 0, 50}};
    std::function<double(const contract::Position&, const contract::Position&)> distance;
    std::function<double(const contract::Position&)> ground;
};

struct Observed {
    contract::Position position;
    contract::Orientation orientation;
    std::vector<std::string> calls;
    std::vector<ShownText> texts;
    std::vector<std::pair<contract::Position, contract::Position>> distanceArgs;
    std::vector<contract::Position> groundArgs;
    std::vector<contract::Position> findSiteArgs;
};

// Runs one CameraUpdate in the scene, into records pre-filled with a marker.
Observed RunFrame(CheckContext& c, const Scene& scene);
// Runs a frame and holds every byte the host sees against the model.
void ExpectFrame(CheckContext& c, const std::string& label, const Scene& scene);
// Presses a key and holds the texts shown against the model.
void ExpectKey(CheckContext& c, int32_t code);
// The same, times over.
void Press(CheckContext& c, int32_t code, int times = 1);

std::string Show(double value);
std::string Show(const contract::Position& p);
bool SameBits(double a, double b);
bool SamePosition(const contract::Position& a, const contract::Position& b);
// Angles come from the platform's atan2 and atan: equal, both NaN, or within
// a few units in the last place.
bool CloseAngle(double a, double b);
std::string Join(const std::vector<std::string>& items);

extern const std::vector<std::string> TRACKING_CALLS;
extern const std::vector<std::string> PARKED_CALLS;
