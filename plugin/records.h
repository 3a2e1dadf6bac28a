// Records that cross the boundary by address, and the four-character codes.
// Their byte layout is part of the contract with the host; the asserts below
// hold in every build (32-bit Linux aligns doubles to 4 inside records,
// Windows and x86-64 to 8, and the layouts must not depend on it).
#pragma once
#include <cstddef>
#include <cstdint>

// A point in the host's units: components 0 and 1 are the horizontal
// coordinates, component 2 is the altitude.
struct PositionRecord {
    double component[3];
};

// Radians. Pitch is positive when the camera looks down; bank is always
// written as +0.0 by the plug-in.
struct OrientationRecord {
    double pitch;
    double heading;
    double bank;
};

// The host's reference to a simulated object. Never looked into: the host
// fills it and gets its address back.
struct ObjectRef {
    uint32_t opaque[3];
};

// The host's record for a site. Only the name and the position are read;
// every other byte belongs to the host.
struct SiteRecord {
    uint8_t hostHead[24];
    char name[208];           // NUL-terminated, if the host terminates it
    PositionRecord position;
    uint8_t hostTail[16];
};

static_assert(sizeof(PositionRecord) == 24, "PositionRecord is three doubles");
static_assert(sizeof(OrientationRecord) == 24, "OrientationRecord is three doubles");
static_assert(offsetof(OrientationRecord, pitch) == 0, "pitch first");
static_assert(offsetof(OrientationRecord, heading) == 8, "heading second");
static_assert(offsetof(OrientationRecord, bank) == 16, "bank third");
static_assert(sizeof(ObjectRef) == 12, "ObjectRef is 12 bytes");
static_assert(sizeof(SiteRecord) == 272, "SiteRecord is 272 bytes");
static_assert(offsetof(SiteRecord, name) == 24, "site name at byte 24");
static_assert(offsetof(SiteRecord, position) == 232, "site position at byte 232");

// A four-character code holds its first character in the most significant
// byte, so in little-endian memory the characters stand last to first.
constexpr uint32_t FourCharCode(const char (&text)[5])
{
    return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
           (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}

constexpr uint32_t CAMERA_CLASS_CODE = FourCharCode("came");  // the host's camera class
constexpr uint32_t CAMERA_TYPE_CODE = FourCharCode("lmvt");   // this plug-in's camera type
static_assert(CAMERA_CLASS_CODE == 0x63616D65u, "came");
static_assert(CAMERA_TYPE_CODE == 0x6C6D7674u, "lmvt");
