// lumvet-host fly: boots the plug-in in the host's order, then flies the
// route frame by frame: the keys due, then CameraUpdate.
#pragma once
#include <string>
#include <vector>

#include "sim/loader.h"
#include "flight/scripts.h"
#include "sim/sim_host.h"
#include "sim/world.h"

constexpr double FRAME_STEP = 0.1;  // seconds

struct FrameRow {
    int frame;
    double time;
    contract::Position aircraft;
    size_t siteIndex;      // in the world's sites: the one nearest the aircraft
    std::string siteName;
    contract::Position site;
    contract::Position camera;
    contract::Orientation orientation;
    bool parked;           // the frame showed the site's name from CameraUpdate
    bool lifted;           // the altitude changed after the ground was asked for
    double groundUnderCamera;
    std::string status;    // the status line last shown, in this frame or before
    std::vector<ShownText> texts;  // shown in this frame, keys first
};

struct KeyMark {
    double time;
    std::string label;
    bool ignored;  // pressed while another camera was active
};

struct Flight {
    std::vector<FrameRow> rows;
    std::vector<KeyMark> keys;
    std::string displayName;
    std::string plugin;  // the module flown and its kind
};

struct FlightSummary {
    size_t frames = 0, parked = 0, lifts = 0, texts = 0, keys = 0, ignoredKeys = 0;
};

Flight Fly(const PluginBinary& plugin, const World& world, const std::vector<KeyEvent>& keys);
FlightSummary Summarize(const Flight& flight);
// One row per frame, doubles in their shortest form that reads back exactly.
std::string FramesCsv(const Flight& flight);
