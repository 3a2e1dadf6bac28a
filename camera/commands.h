// The keypad commands and the status line.
#pragma once
#include <cstdint>

#include "../plugin/calling.h"

// Scan code set 1 make codes of the numeric keypad.
enum KeyCode : int32_t {
    KEY_SITE_NAME = 71,         // keypad 7: show the site's name
    KEY_UP_MODE = 72,           // keypad 8
    KEY_RAISE = 73,             // keypad 9: up mode, offset + 0.25
    KEY_TO_SITE = 74,           // keypad minus: zoom 0
    KEY_ZOOM_OUT = 75,          // keypad 4: zoom - 0.01, floor -2
    KEY_ZOOM_IN = 77,           // keypad 6: a tenth of the way that is left to 1
    KEY_NEXT_TO_AIRCRAFT = 78,  // keypad plus: zoom 0.999
    KEY_DOWN_MODE = 80,         // keypad 2
    KEY_LOWER = 81,             // keypad 3: up mode, offset - 0.25
};

// Hook slot 5: binds the nine codes, in a fixed order, with the host's
// context handed on unchanged. Keeps no record; a second call binds again.
void LUMVET_CALL CameraBindKeys(uint32_t bindingContext);
// Hook slot 18: while this camera is the active one, applies the key's
// command (none for unknown codes) and shows the status line.
void LUMVET_CALL CameraKey(int32_t keyCode);

// The status line for a zoom and a mode text: "<zoom, six decimals> pos:<mode>",
// cut to fit size bytes with its terminator. Answers the length.
int FormatStatusLine(char* out, int size, float zoom, const char* modeText);
