// lumvet-host compare: two frames.csv files of the same flight agree when
// every cell is the same text (so every position and time is the same double
// to the bit), except the angles, which come from each platform's atan2 and
// atan and need only agree within 1e-12 relative.
#pragma once
#include <string>

// Answers true when they agree; otherwise report says where they first differ.
bool CompareFrames(const std::string& a, const std::string& b, std::string& report);
