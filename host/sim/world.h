// The simulated world: named sites, the user's aircraft on a timed route,
// and terrain. Only +, -, *, / and sqrt are used, so every answer rounds the
// same on every platform and two runs of a flight agree to the bit.
#pragma once
#include <string>
#include <vector>

#include "sim/contract.h"

struct Site {
    std::string name;
    contract::Position position;
};

struct Waypoint {
    double time;  // seconds
    contract::Position position;
};

// A round hill: peak / (1 + d² / radius²) at horizontal distance d.
struct Hill {
    double x, y, peak, radius;
};

struct World {
    std::vector<Site> sites;
    std::vector<Hill> hills;
    std::vector<Waypoint> route;  // strictly increasing times, at least one

    // The site nearest the position horizontally; the first listed on a tie.
    const Site& NearestSite(const contract::Position& position) const;
    // Linear between waypoints, held at the first and last.
    contract::Position AircraftAt(double time) const;
    double GroundHeight(const contract::Position& position) const;
};

// Straight-line distance in three dimensions.
double Distance3D(const contract::Position& a, const contract::Position& b);

// The demo's world: three sites, two hills and the default route.
World DefaultWorld();
