// Route and key files: plain text, one entry per line, '#' starts a comment.
//
//   route:  TIME X Y Z          seconds, then the aircraft's position
//   keys:   TIME KEY [COUNT]    KEY is a code (any 32-bit integer) or a name:
//           zoom-in zoom-out to-site next-to-aircraft up down raise lower
//           site-name, or other-camera / this-camera to switch the host's
//           active camera away from the plug-in's and back. COUNT presses
//           (default 1) go in the same frame.
//
// Times never go backwards; route times strictly increase.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sim/world.h"

struct KeyEvent {
    enum Kind { PRESS, OTHER_CAMERA, THIS_CAMERA };
    double time;
    Kind kind;
    int32_t code;  // for PRESS
    int count;
    std::string label;  // as written in the file
};

// Each answers false with one message "FILE:LINE: expected ..." (or
// "FILE: ..." for a file that cannot be read or holds no entry).
bool ParseRoute(const std::string& file, const std::string& text, std::vector<Waypoint>& route,
                std::string& error);
bool ParseKeys(const std::string& file, const std::string& text, std::vector<KeyEvent>& keys,
               std::string& error);
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

// The demo's key script, written in the key file syntax.
extern const char DEFAULT_KEYS[];
// Names of the key codes for the plot and the CSV ("zoom-in" for 77, ...);
// the number itself for a code without a name.
std::string KeyName(int32_t code);
