#include "placement.h"

#include <cmath>
#include <cstring>

#include "../plugin/host_services.h"

CameraState cameraState;

namespace {

constexpr double VICINITY_LIMIT = 650.0;   // per horizontal axis
constexpr double PARKED_HEIGHT = 7500.0;   // above the reference point
constexpr double PARKED_PITCH = 1.57;      // the double nearest 1.57, not pi/2
constexpr int32_t SITE_NAME_DURATION = 10;
constexpr float DOWN_MODE_ONE = 1.0f;
constexpr double SQUARE_EXPONENT = 2.0;
constexpr double DOWN_MODE_FACTOR = 25.0;
constexpr double REMAP_LOW = 0.785;   // open bounds, not pi/4 and 3pi/4
constexpr double REMAP_HIGH = 2.35;
constexpr double GROUND_CLEARANCE = 5.0;

// Headings that look more along component 1 than along component 0.
bool InRemapInterval(double heading)
{
    return (heading > REMAP_LOW && heading < REMAP_HIGH) ||
           (heading > -REMAP_HIGH && heading < -REMAP_LOW);
}

}  // namespace

void FetchTarget(void)
{
    HostGetUserObject(&cameraState.userObject);
    HostGetObjectPosition(&cameraState.userObject, &cameraState.target);
}

void ComputeHeading(double dy, double dx)
{
    cameraState.heading = std::atan2(dy, dx);
}

void ShowSiteName(void)
{
    HostShowText(cameraState.site.name, SITE_NAME_DURATION);
}

double Square(double value)
{
    return std::pow(value, SQUARE_EXPONENT);
}

void LUMVET_CALL CameraStart(void)
{
    ObjectRef user = {};
    HostGetUserObject(&user);
    if (HostHasCamera(&user, CAMERA_TYPE_CODE) == 0) HostAddCamera(&user, CAMERA_TYPE_CODE, 0);
    memset(&cameraState.site, 0, sizeof cameraState.site);
}

void LUMVET_CALL CameraUpdate(uint32_t, uint32_t, uint32_t, PositionRecord* position,
                              OrientationRecord* orientation)
{
    CameraState& s = cameraState;
    double* const T = s.target.component;
    double* const P = s.refPoint.component;
    double* const C = s.camPos.component;

    FetchTarget();
    HostFindSite(&s.target, &s.site, s.siteExtra);
    // Each value is worked on in a local and stored once: the host's records
    // may alias anything as far as the compiler knows, so reading the state
    // back after writing them would wait on those writes.
    const double p0 = s.site.position.component[0];
    const double p1 = s.site.position.component[1];
    const double p2 = s.site.position.component[2];
    P[0] = p0, P[1] = p1, P[2] = p2;
    const double t0 = T[0], t1 = T[1], t2 = T[2];
    const double dy = t1 - p1;
    const double dx = t0 - p0;
    s.dy = dy;
    s.dx = dx;
    const double zoom = s.zoom;
    const double c0 = zoom * dx + p0;
    const double c1 = zoom * dy + p1;
    C[0] = c0;
    C[1] = c1;

    // A NaN difference compares false and so counts as within range.
    if (std::fabs(dy) >= VICINITY_LIMIT || std::fabs(dx) >= VICINITY_LIMIT) {
        position->component[0] = p0;
        position->component[1] = p1;
        position->component[2] = p2 + PARKED_HEIGHT;
        orientation->pitch = PARKED_PITCH;
        orientation->heading = s.heading;
        orientation->bank = 0.0;
        ShowSiteName();
        return;
    }

    double c2;
    if (s.upMode == 1) {
        c2 = double(s.heightOffset) + t2;
    } else {
        const double fromOne = double(s.zoom) - double(DOWN_MODE_ONE);
        c2 = DOWN_MODE_FACTOR * Square(fromOne) + zoom * t2;
    }
    C[2] = c2;
    position->component[0] = c0;
    position->component[1] = c1;
    position->component[2] = c2;

    ComputeHeading(dy, dx);
    const double heading = s.heading;
    if (InRemapInterval(heading)) {
        // Mirror the target in the line through the camera on which the sum
        // of the horizontal coordinates is C0 + C1.
        T[0] = (c1 - t1) + c0;
        T[1] = (c0 - t0) + c1;
    }

    const float distance = float(HostGetDistance(&s.camPos, &s.target));
    orientation->pitch = std::atan((c2 - t2) / double(distance));
    orientation->heading = heading;
    orientation->bank = 0.0;

    const float ground = float(HostGetGroundHeight(position));
    if (double(ground) > position->component[2])
        position->component[2] = double(ground) + GROUND_CLEARANCE;
}
