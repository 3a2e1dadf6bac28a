// What a conforming camera does, computed by the host from the contract, to
// hold the plug-in's answers against.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "sim/contract.h"

struct ModelSettings {
    float zoom = 0.0f;
    int32_t upMode = 0;
    float heightOffset = 0.0f;
};

// Applies one key code's command (none for codes without one).
void ModelKey(ModelSettings& settings, int32_t code);
// The status line after a handled key: "<zoom, six decimals> pos:up|do".
std::string ModelStatusLine(const ModelSettings& settings);
// The number rule on its own: 17 significant digits, then six decimals with
// a cut-off digit of 5 or more rounding the magnitude up.
std::string ModelSixDecimals(double value);

struct ModelFrame {
    bool parked;
    contract::Position position;
    contract::Orientation orientation;
    contract::Position distanceFrom, distanceTo;  // tracking frames
    contract::Position groundAt;                  // tracking frames
    double heading;                               // carried to the next frame
};

// One frame for a site position and target; distance and ground answer as
// the host's services would.
ModelFrame ModelUpdate(const ModelSettings& settings, const contract::Position& site,
                       const contract::Position& target, double lastHeading,
                       const std::function<double(const contract::Position&,
                                                  const contract::Position&)>& distance,
                       const std::function<double(const contract::Position&)>& ground);
