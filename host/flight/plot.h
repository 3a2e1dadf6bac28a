// flight.svg: a plan view of the flight and a profile of the altitudes over
// time, with the keys and texts along the time axis.
#pragma once
#include <string>

#include "flight/flight.h"
#include "sim/world.h"

std::string FlightSvg(const Flight& flight, const World& world);
