// The hooks that concern the plug-in as a whole, and its identity texts.
#pragma once
#include <cstdint>

#include "calling.h"

extern const char PLUGIN_TITLE[];         // "Lumvet Camera DLL"
extern const char PLUGIN_TAG[];           // "KZPA"
extern const char PLUGIN_AUTHOR[];
extern const char PLUGIN_VERSION_TEXT[];  // "1.00"
extern const char PLUGIN_CONTACT[];
extern const char CAMERA_DISPLAY_NAME[];  // "Lumvet Camera", 13 characters

// For (CAMERA_CLASS_CODE, CAMERA_TYPE_CODE) only: asks the host for a new
// instance record, stores its address through out and writes the type code
// into its first word. Any other pair: no effect at all.
void LUMVET_CALL CameraCreate(uint32_t classCode, uint32_t typeCode, void** out);
// Writes exactly count bytes: the name's first min(count, 13) characters,
// then NUL bytes. Answers destination.
char* LUMVET_CALL CameraGetName(uint32_t first, char* destination, uint32_t count);
// Answers 0, whatever the arguments.
int32_t LUMVET_CALL CameraZero(void);
