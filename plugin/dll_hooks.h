// What DLLInit hands the host: the information record and the hook slots.
#pragma once
#include <cstddef>
#include <cstdint>

#include "calling.h"
#include "records.h"

// The host's information record. Each text is 8-bit characters and one NUL
// in a 128-byte field; DLLInit writes nothing behind a terminator and nothing
// from byte 644 on (the host's record may be longer).
struct DLLInfoRecord {
    char title[128];
    char tag[128];
    char author[128];
    char versionText[128];
    char contact[128];
    int32_t versionNumber;  // little-endian, the SDK version
};
static_assert(sizeof(DLLInfoRecord) == 644, "the plug-in's part of the record is 644 bytes");
static_assert(offsetof(DLLInfoRecord, tag) == 128, "tag at byte 128");
static_assert(offsetof(DLLInfoRecord, author) == 256, "author at byte 256");
static_assert(offsetof(DLLInfoRecord, versionText) == 384, "versionText at byte 384");
static_assert(offsetof(DLLInfoRecord, contact) == 512, "contact at byte 512");
static_assert(offsetof(DLLInfoRecord, versionNumber) == 640, "versionNumber at byte 640");

// Any hook address, as it stands in a slot.
typedef void(LUMVET_CALL* HookAddress)(void);

// The host's hook table: pointer-sized slots, at least 27 of them. DLLInit
// writes the seven slots below, each once, and reads or clears no other.
constexpr int DLL_HOOK_MIN_SLOTS = 27;
struct DLLHookTable {
    HookAddress slot[DLL_HOOK_MIN_SLOTS];
};
#if defined(__i386__)
static_assert(sizeof(DLLHookTable) == 27 * 4, "4-byte slots on 32-bit");
#endif

enum DLLHookSlot : int {
    HOOK_START = 0,
    HOOK_CREATE = 4,
    HOOK_BIND_KEYS = 5,
    HOOK_KEY = 18,
    HOOK_UPDATE = 24,
    HOOK_ZERO = 25,
    HOOK_GET_NAME = 26,
};

// Hook signatures. The host may pass more arguments than a hook reads.

// Slot 0: the view is started. Attaches the camera type to the user's aircraft.
typedef void(LUMVET_CALL* CameraStartHook)(void);
// Slot 4: the host wants an instance of (class, type). For this plug-in's pair
// it stores a new host-owned instance record's address through out.
typedef void(LUMVET_CALL* CameraCreateHook)(uint32_t classCode, uint32_t typeCode, void** out);
// Slot 5: the plug-in binds its keys; the context goes back to the host unchanged.
typedef void(LUMVET_CALL* CameraBindKeysHook)(uint32_t bindingContext);
// Slot 18: one delivered key, any code.
typedef void(LUMVET_CALL* CameraKeyHook)(int32_t keyCode);
// Slot 24: once a frame while the view is shown; fills both records.
typedef void(LUMVET_CALL* CameraUpdateHook)(uint32_t first, uint32_t second, uint32_t third,
                                            PositionRecord* position,
                                            OrientationRecord* orientation);
// Slot 25: answers 0.
typedef int32_t(LUMVET_CALL* CameraZeroHook)(void);
// Slot 26: writes exactly count bytes of the display name; answers destination.
typedef char*(LUMVET_CALL* CameraGetNameHook)(uint32_t first, char* destination, uint32_t count);
