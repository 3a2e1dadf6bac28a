// The replay page: one self-contained HTML file that shows the flight
// through the camera, frame by frame, with three.js and the flight inlined.
#pragma once
#include <string>

#include "flight/flight.h"
#include "sim/world.h"

// The horizontal field of view the page renders the camera with, in degrees:
// the simulated host's choice (the contract leaves it to the host).
constexpr double REPLAY_FIELD_OF_VIEW = 60.0;

// Answers false, with one line saying why, when this build carries no
// three.js.
bool ReplayHtml(const Flight& flight, const World& world, std::string& html, std::string& whyNot);
// The flight as the page reads it (JSON).
std::string FlightJson(const Flight& flight, const World& world);
