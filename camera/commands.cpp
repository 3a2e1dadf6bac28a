#include "commands.h"

#include <cstring>

#include "../plugin/host_services.h"
#include "fixed_six.h"
#include "placement.h"

namespace {

constexpr int32_t BIND_ONE = 1;
constexpr int32_t STATUS_DURATION = 1;
constexpr double OFFSET_STEP = 0.25;
constexpr double ZOOM_OUT_STEP = 0.01;
constexpr float ZOOM_FLOOR = -2.0f;
constexpr double ZOOM_IN_DIVISOR = 10.0;
constexpr float NEXT_TO_AIRCRAFT = 0.999f;  // 0.99900001287460327, bits 0x3F7FBE77

constexpr int32_t BOUND_KEYS[] = {
    KEY_ZOOM_IN, KEY_ZOOM_OUT, KEY_UP_MODE, KEY_DOWN_MODE,  KEY_SITE_NAME,
    KEY_TO_SITE, KEY_NEXT_TO_AIRCRAFT, KEY_RAISE, KEY_LOWER,
};

// Each setting change is one double operation on the widened float and one
// rounding to float at the store.
float AddInDouble(float value, double step)
{
    return float(double(value) + step);
}

void ApplyCommand(int32_t keyCode)
{
    CameraState& s = cameraState;
    switch (keyCode) {
    case KEY_SITE_NAME:
        ShowSiteName();
        break;
    case KEY_UP_MODE:
        s.upMode = 1;
        break;
    case KEY_RAISE:
        s.upMode = 1;
        s.heightOffset = AddInDouble(s.heightOffset, OFFSET_STEP);
        break;
    case KEY_TO_SITE:
        s.zoom = 0.0f;
        break;
    case KEY_ZOOM_OUT:
        s.zoom = AddInDouble(s.zoom, -ZOOM_OUT_STEP);
        if (s.zoom < ZOOM_FLOOR) s.zoom = ZOOM_FLOOR;
        break;
    case KEY_ZOOM_IN: {
        const double left = 1.0 - double(s.zoom);
        s.zoom = float(Square(left) / ZOOM_IN_DIVISOR + double(s.zoom));
        break;
    }
    case KEY_NEXT_TO_AIRCRAFT:
        s.zoom = NEXT_TO_AIRCRAFT;
        break;
    case KEY_DOWN_MODE:
        s.upMode = 0;
        break;
    case KEY_LOWER:
        s.upMode = 1;
        s.heightOffset = AddInDouble(s.heightOffset, -OFFSET_STEP);
        break;
    default:
        break;
    }
}

// Appends tail at length, as far as it fits in front of the terminator.
size_t AppendBounded(char* out, size_t capacity, size_t length, const char* tail)
{
    for (; *tail != '\0' && length + 1 < capacity; ++tail) out[length++] = *tail;
    out[length] = '\0';
    return length;
}

}  // namespace

void LUMVET_CALL CameraBindKeys(uint32_t bindingContext)
{
    for (int32_t code : BOUND_KEYS) HostBindKey(code, BIND_ONE, bindingContext);
}

int FormatStatusLine(char* out, int size, float zoom, const char* modeText)
{
    if (size <= 0) return 0;
    const size_t capacity = size_t(size);
    size_t length = FormatFixedSix(double(zoom), out, capacity);
    length = AppendBounded(out, capacity, length, " pos:");
    length = AppendBounded(out, capacity, length, modeText);
    return int(length);
}

void LUMVET_CALL CameraKey(int32_t keyCode)
{
    if (HostGetActiveCamera() != CAMERA_TYPE_CODE) return;
    ApplyCommand(keyCode);
    CameraState& s = cameraState;
    strcpy(s.modeText, s.upMode == 1 ? "up" : "do");
    FormatStatusLine(s.statusText, STATUS_TEXT_SIZE, s.zoom, s.modeText);
    HostShowText(s.statusText, STATUS_DURATION);
}
