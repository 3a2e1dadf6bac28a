// The camera's one state record and the two hooks that place and aim it.
#pragma once
#include <cstdint>

#include "../plugin/calling.h"
#include "../plugin/records.h"

// Long enough for the status line of any float zoom ("-" + 39 integer digits
// + "." + 6 digits + " pos:up"); the keys keep it to 16 characters.
constexpr int STATUS_TEXT_SIZE = 64;

// Everything the camera knows between calls. One static instance, all zero at
// load, shared by every instance record the host creates. Only heading, site
// and the three settings carry information from one call to the next; every
// other field is rewritten in a frame before that frame reads it.
struct CameraState {
    // The user's settings, written only by CameraKey.
    float zoom;          // 0 at the site, towards 1 at the aircraft, down to -2 beyond the site
    int32_t upMode;      // 1: up mode (heightOffset above the aircraft); otherwise down mode
    float heightOffset;  // up mode's height above the aircraft

    ObjectRef userObject;   // the user's aircraft as the host last gave it
    PositionRecord target;  // its position; remapped in some tracking frames
    SiteRecord site;        // the site the host gives for the target's position
    // Stays zero: a site name the host did not terminate still ends here, so
    // no text handed to the host runs past the plug-in's own storage.
    char siteNameEnd;
    uint8_t siteExtra[8];     // third output area of HostFindSite, never read
    PositionRecord refPoint;  // the site's position, the line's start
    double dy;                // T1 - P1
    double dx;                // T0 - P0
    PositionRecord camPos;    // C0 and C1 every frame, C2 in tracking frames
    double heading;           // the last tracking frame's heading, radians

    char modeText[3];                    // "up" or "do"
    char statusText[STATUS_TEXT_SIZE];   // the status line of the last handled key
};

static_assert(offsetof(CameraState, siteNameEnd) ==
                  offsetof(CameraState, site) + sizeof(SiteRecord),
              "the zero byte stands right behind the site record");

extern CameraState cameraState;

// The user's aircraft and its position, into userObject and target.
void FetchTarget(void);
// heading <- atan2(dy, dx): from the reference point towards the target.
void ComputeHeading(double dy, double dx);
// HostShowText with the name of the last site found, for 10.
void ShowSiteName(void);
// The square, as the power function with exponent 2.0: the height rule and
// the zoom-in key use the same one.
double Square(double value);

// Hook slot 0: attaches the camera type to the user's aircraft if it lacks
// it, and clears site. Nothing else changes.
void LUMVET_CALL CameraStart(void);
// Hook slot 24: once a frame; writes all of both records.
void LUMVET_CALL CameraUpdate(uint32_t first, uint32_t second, uint32_t third,
                              PositionRecord* position, OrientationRecord* orientation);
