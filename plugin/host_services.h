// Call operations: one per host service the plug-in uses. Each reads its slot
// from the plug-in's copy of the table at the moment of the call, passes its
// arguments on unchanged and answers the service's result unchanged. None
// tests the slot or the result. HostNewObject alone takes no argument and
// passes the reference number stored by DLLInitPrivate.
#pragma once
#include <cstdint>

#include "host_service_table.h"

void* HostNewObject(void);
int32_t HostRegisterType(uint32_t registrationContext, uint32_t classCode, uint32_t typeCode);
int32_t HostBindKey(int32_t keyCode, int32_t one, uint32_t bindingContext);
int32_t HostFindSite(const PositionRecord* position, SiteRecord* site, void* extra);
int32_t HostGetUserObject(ObjectRef* object);
int32_t HostGetObjectPosition(const ObjectRef* object, PositionRecord* position);
HostFloat HostGetGroundHeight(const PositionRecord* position);
HostFloat HostGetDistance(const PositionRecord* from, const PositionRecord* to);
uint32_t HostGetActiveCamera(void);
int32_t HostShowText(const char* text, int32_t duration);
int32_t HostHasCamera(const ObjectRef* object, uint32_t typeCode);
int32_t HostAddCamera(const ObjectRef* object, uint32_t typeCode, int32_t zero);
