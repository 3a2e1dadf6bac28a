#include "host_services.h"

#include "exports.h"

namespace {

// The plug-in's private copy of the host's table, and the number the host
// assigned. Zero at load; written only by DLLInitPrivate.
HostServiceTable hostServices;
int32_t referenceNumber;

template <typename Service>
Service ServiceAt(HostServiceSlot slot)
{
    return reinterpret_cast<Service>(hostServices.slot[slot]);
}

}  // namespace

extern "C" {

int32_t LUMVET_CALL DLLGetSDKVersion(void)
{
    return SDK_VERSION;
}

int32_t LUMVET_CALL DLLInitPrivate(const HostServiceTable* table, int32_t number)
{
    // Slot for slot: the host may reuse or free its own table afterwards.
    for (int i = 0; i < HOST_SERVICE_SLOT_COUNT; ++i) hostServices.slot[i] = table->slot[i];
    referenceNumber = number;
    return number;
}

int32_t LUMVET_CALL DLLGetReferenceNumber(void)
{
    return referenceNumber;
}

}  // extern "C"

void* HostNewObject(void)
{
    return ServiceAt<HostNewObjectService>(SLOT_NEW_OBJECT)(referenceNumber);
}

int32_t HostRegisterType(uint32_t registrationContext, uint32_t classCode, uint32_t typeCode)
{
    return ServiceAt<HostRegisterTypeService>(SLOT_REGISTER_TYPE)(registrationContext, classCode,
                                                                  typeCode);
}

int32_t HostBindKey(int32_t keyCode, int32_t one, uint32_t bindingContext)
{
    return ServiceAt<HostBindKeyService>(SLOT_BIND_KEY)(keyCode, one, bindingContext);
}

int32_t HostFindSite(const PositionRecord* position, SiteRecord* site, void* extra)
{
    return ServiceAt<HostFindSiteService>(SLOT_FIND_SITE)(position, site, extra);
}

int32_t HostGetUserObject(ObjectRef* object)
{
    return ServiceAt<HostGetUserObjectService>(SLOT_GET_USER_OBJECT)(object);
}

int32_t HostGetObjectPosition(const ObjectRef* object, PositionRecord* position)
{
    return ServiceAt<HostGetObjectPositionService>(SLOT_GET_OBJECT_POSITION)(object, position);
}

HostFloat HostGetGroundHeight(const PositionRecord* position)
{
    return ServiceAt<HostGetGroundHeightService>(SLOT_GET_GROUND_HEIGHT)(position);
}

HostFloat HostGetDistance(const PositionRecord* from, const PositionRecord* to)
{
    return ServiceAt<HostGetDistanceService>(SLOT_GET_DISTANCE)(from, to);
}

uint32_t HostGetActiveCamera(void)
{
    return ServiceAt<HostGetActiveCameraService>(SLOT_GET_ACTIVE_CAMERA)();
}

int32_t HostShowText(const char* text, int32_t duration)
{
    return ServiceAt<HostShowTextService>(SLOT_SHOW_TEXT)(text, duration);
}

int32_t HostHasCamera(const ObjectRef* object, uint32_t typeCode)
{
    return ServiceAt<HostHasCameraService>(SLOT_HAS_CAMERA)(object, typeCode);
}

int32_t HostAddCamera(const ObjectRef* object, uint32_t typeCode, int32_t zero)
{
    return ServiceAt<HostAddCameraService>(SLOT_ADD_CAMERA)(object, typeCode, zero);
}
