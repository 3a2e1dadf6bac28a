#include "sim/world.h"

#include <cmath>

namespace {

double HorizontalSquare(const contract::Position& a, double x, double y)
{
    const double dx = a.c[0] - x, dy = a.c[1] - y;
    return dx * dx + dy * dy;
}

}  // namespace

const Site& World::NearestSite(const contract::Position& position) const
{
    const Site* nearest = &sites.front();
    double best = HorizontalSquare(position, nearest->position.c[0], nearest->position.c[1]);
    for (const Site& site : sites) {
        const double d = HorizontalSquare(position, site.position.c[0], site.position.c[1]);
        if (d < best) best = d, nearest = &site;
    }
    return *nearest;
}

contract::Position World::AircraftAt(double time) const
{
    if (time <= route.front().time) return route.front().position;
    for (size_t i = 1; i < route.size(); ++i) {
        const Waypoint& a = route[i - 1];
        const Waypoint& b = route[i];
        if (time > b.time) continue;
        const double f = (time - a.time) / (b.time - a.time);
        contract::Position p;
        for (int k = 0; k < 3; ++k) p.c[k] = a.position.c[k] + (b.position.c[k] - a.position.c[k]) * f;
        return p;
    }
    return route.back().position;
}

double World::GroundHeight(const contract::Position& position) const
{
    double height = 0.0;
    for (const Hill& hill : hills)
        height += hill.peak / (1.0 + HorizontalSquare(position, hill.x, hill.y) /
                                         (hill.radius * hill.radius));
    return height;
}

double Distance3D(const contract::Position& a, const contract::Position& b)
{
    const double d0 = a.c[0] - b.c[0], d1 = a.c[1] - b.c[1], d2 = a.c[2] - b.c[2];
    return std::sqrt(d0 * d0 + d1 * d1 + d2 * d2);
}

World DefaultWorld()
{
    World world;
    world.sites = {
        {"Harbour Point", {{0, 0, 10}}},
        {"North Field", {{3200, 2600, 40}}},
        {"Mill Ridge", {{-2600, 2000, 120}}},
    };
    world.hills = {
        {-420, 60, 160, 130},   // west of Harbour Point: lifts a camera beyond the site
        {300, 420, 60, 90},     // a knoll north-east of it
    };
    // From the east, beyond the vicinity, in to Harbour Point, a loop round
    // it, out to the north and back.
    world.route = {
        {0, {{1600, 200, 420}}},   {15, {{600, 100, 300}}},   {40, {{350, -150, 220}}},
        {60, {{150, 350, 180}}},   {75, {{-250, 300, 160}}},  {90, {{-300, 900, 260}}},
        {105, {{-200, 300, 220}}}, {120, {{400, 0, 200}}},
    };
    return world;
}
