// The host's service table: what the host hands over through DLLInitPrivate,
// and the signatures of the twelve services the plug-in calls through it.
#pragma once
#include <cstdint>

#include "calling.h"
#include "records.h"

// Any service address, as it stands in a slot. Cast to its own signature
// (below) only at the moment of the call.
typedef void(LUMVET_CALL* HostServiceAddress)(void);

constexpr int HOST_SERVICE_SLOT_COUNT = 310;

// 310 pointer-sized slots, indexed from 0 (1240 bytes on 32-bit). The host
// fills and owns it; the plug-in keeps a copy and never the address.
struct HostServiceTable {
    HostServiceAddress slot[HOST_SERVICE_SLOT_COUNT];
};
static_assert(sizeof(HostServiceTable) == HOST_SERVICE_SLOT_COUNT * sizeof(void*),
              "the table is one pointer-sized slot per service");
#if defined(__i386__)
static_assert(sizeof(HostServiceTable) == 1240, "310 slots of 4 bytes on 32-bit");
#endif

// The slots the plug-in calls. Every other slot is copied and never read, and
// may hold anything, null included.
enum HostServiceSlot : int {
    SLOT_NEW_OBJECT = 0,
    SLOT_REGISTER_TYPE = 5,
    SLOT_BIND_KEY = 68,
    SLOT_FIND_SITE = 86,
    SLOT_GET_USER_OBJECT = 114,
    SLOT_GET_OBJECT_POSITION = 117,
    SLOT_GET_GROUND_HEIGHT = 182,
    SLOT_GET_DISTANCE = 213,
    SLOT_GET_ACTIVE_CAMERA = 217,
    SLOT_SHOW_TEXT = 228,
    SLOT_HAS_CAMERA = 277,
    SLOT_ADD_CAMERA = 278,
};

// Service signatures. Integers, codes, durations and contexts are 32-bit on
// every platform; addresses are pointer-sized. A result marked "not read" is
// declared as a 32-bit integer and ignored.

// Slot 0. Called by CameraCreate with the reference number the host assigned.
// Answers a writable host-owned record of at least 4 bytes: the new instance.
typedef void*(LUMVET_CALL* HostNewObjectService)(int32_t referenceNumber);
// Slot 5. Called once per DLLInit, after the information record and the hook
// slots are filled. Result not read.
typedef int32_t(LUMVET_CALL* HostRegisterTypeService)(uint32_t registrationContext,
                                                      uint32_t classCode, uint32_t typeCode);
// Slot 68. Called by CameraBindKeys, nine times, with the constant 1 and the
// context it was given. Result not read.
typedef int32_t(LUMVET_CALL* HostBindKeyService)(int32_t keyCode, int32_t one,
                                                 uint32_t bindingContext);
// Slot 86. Once a frame. Writes at most 272 bytes into the site record and at
// most 8 into the extra area (which nobody reads). Result not read.
typedef int32_t(LUMVET_CALL* HostFindSiteService)(const PositionRecord* position,
                                                  SiteRecord* site, void* extra);
// Slot 114. Writes a reference to the user's aircraft, at most 12 bytes.
typedef int32_t(LUMVET_CALL* HostGetUserObjectService)(ObjectRef* object);
// Slot 117. Writes the object's position.
typedef int32_t(LUMVET_CALL* HostGetObjectPositionService)(const ObjectRef* object,
                                                           PositionRecord* position);
// Slot 182. The ground's altitude under the position; used as a float.
typedef HostFloat(LUMVET_CALL* HostGetGroundHeightService)(const PositionRecord* position);
// Slot 213. The distance between two positions; used as a float.
typedef HostFloat(LUMVET_CALL* HostGetDistanceService)(const PositionRecord* from,
                                                       const PositionRecord* to);
// Slot 217. The type code of the camera in use.
typedef uint32_t(LUMVET_CALL* HostGetActiveCameraService)(void);
// Slot 228. Shows a NUL-terminated text; the plug-in passes durations 10 and 1.
// The text stays at its address, but its contents change with later calls.
typedef int32_t(LUMVET_CALL* HostShowTextService)(const char* text, int32_t duration);
// Slot 277. Zero means the object carries no camera of that type.
typedef int32_t(LUMVET_CALL* HostHasCameraService)(const ObjectRef* object, uint32_t typeCode);
// Slot 278. Attaches the camera type to the object; called with the constant 0.
typedef int32_t(LUMVET_CALL* HostAddCameraService)(const ObjectRef* object, uint32_t typeCode,
                                                   int32_t zero);
