// The five entry points the host looks up by name, undecorated.
#pragma once
#include <cstdint>

#include "calling.h"
#include "dll_hooks.h"
#include "host_service_table.h"

constexpr int32_t SDK_VERSION = 100;

extern "C" {
// Valid at any time: the SDK version the plug-in is built for.
LUMVET_EXPORT int32_t LUMVET_CALL DLLGetSDKVersion(void);
// Before DLLInit and every hook: copies all 310 slots and stores the number.
// A later call replaces both. Answers the number it was given.
LUMVET_EXPORT int32_t LUMVET_CALL DLLInitPrivate(const HostServiceTable* table,
                                                 int32_t referenceNumber);
// The stored reference number, 0 before DLLInitPrivate.
LUMVET_EXPORT int32_t LUMVET_CALL DLLGetReferenceNumber(void);
// Fills the information record and the hook slots, then registers the camera
// type. Always answers 1.
LUMVET_EXPORT int32_t LUMVET_CALL DLLInit(DLLHookTable* hooks, DLLInfoRecord* info,
                                          uint32_t registrationContext);
// Has no effect: the plug-in holds nothing to release.
LUMVET_EXPORT void LUMVET_CALL DLLKill(void);
}
