#include "fake_host.h"

#include <gtest/gtest.h>

#include <cstring>

#include "../plugin/exports.h"

namespace {

FakeHost* current;

void* LUMVET_CALL NewObject(int32_t number)
{
    current->calls.push_back("HostNewObject");
    current->newObjectNumbers.push_back(number);
    return current->newObject;
}

int32_t LUMVET_CALL RegisterType(uint32_t context, uint32_t classCode, uint32_t typeCode)
{
    current->calls.push_back("HostRegisterType");
    current->registrations.push_back({context, classCode, typeCode});
    if (current->onRegister) current->onRegister();
    return current->registerAnswer;
}

int32_t LUMVET_CALL BindKey(int32_t code, int32_t one, uint32_t context)
{
    current->calls.push_back("HostBindKey");
    current->bindings.push_back({uint32_t(code), uint32_t(one), context});
    return 0;
}

int32_t LUMVET_CALL FindSite(const PositionRecord* position, SiteRecord* site, void* extra)
{
    current->calls.push_back("HostFindSite");
    current->findSiteInput = position;
    if (current->findSiteWrites) {
        *site = current->site;
        memset(extra, 0x5E, 8);
    }
    return 0;
}

int32_t LUMVET_CALL GetUserObject(ObjectRef* object)
{
    current->calls.push_back("HostGetUserObject");
    *object = current->userObject;
    return 0;
}

int32_t LUMVET_CALL GetObjectPosition(const ObjectRef* object, PositionRecord* position)
{
    current->calls.push_back("HostGetObjectPosition");
    EXPECT_EQ(0, memcmp(object, &current->userObject, sizeof *object));
    *position = current->aircraft;
    return 0;
}

// The two floating-point services answer doubles, as a host would.
double LUMVET_CALL GetGroundHeight(const PositionRecord* position)
{
    current->calls.push_back("HostGetGroundHeight");
    current->groundAt = *position;
    return current->groundHeight;
}

double LUMVET_CALL GetDistance(const PositionRecord* from, const PositionRecord* to)
{
    current->calls.push_back("HostGetDistance");
    current->distanceFrom = *from;
    current->distanceTo = *to;
    return current->distance;
}

uint32_t LUMVET_CALL GetActiveCamera(void)
{
    current->calls.push_back("HostGetActiveCamera");
    return current->activeCamera;
}

int32_t LUMVET_CALL ShowText(const char* text, int32_t duration)
{
    current->calls.push_back("HostShowText");
    current->texts.push_back({text, duration, text});
    return 0;
}

int32_t LUMVET_CALL HasCamera(const ObjectRef* object, uint32_t typeCode)
{
    current->calls.push_back("HostHasCamera");
    current->cameraObjects.push_back(object);
    current->cameraArgs.push_back({typeCode, 0});
    EXPECT_EQ(0, memcmp(object, &current->userObject, sizeof *object));
    return current->hasCamera;
}

int32_t LUMVET_CALL AddCamera(const ObjectRef* object, uint32_t typeCode, int32_t zero)
{
    current->calls.push_back("HostAddCamera");
    current->cameraObjects.push_back(object);
    current->cameraArgs.push_back({typeCode, uint32_t(zero)});
    return 0;
}

void LUMVET_CALL UnusedSlot(void)
{
    ADD_FAILURE() << "the plug-in called a service slot it does not use";
}

template <typename F>
HostServiceAddress Address(F f)
{
    return reinterpret_cast<HostServiceAddress>(f);
}

template <typename Hook>
Hook HookAt(const DLLHookTable& table, DLLHookSlot slot)
{
    return reinterpret_cast<Hook>(table.slot[slot]);
}

}  // namespace

FakeHost::FakeHost()
{
    current = this;
    for (auto& slot : table.slot) slot = &UnusedSlot;
    table.slot[SLOT_NEW_OBJECT] = Address(&NewObject);
    table.slot[SLOT_REGISTER_TYPE] = Address(&RegisterType);
    table.slot[SLOT_BIND_KEY] = Address(&BindKey);
    table.slot[SLOT_FIND_SITE] = Address(&FindSite);
    table.slot[SLOT_GET_USER_OBJECT] = Address(&GetUserObject);
    table.slot[SLOT_GET_OBJECT_POSITION] = Address(&GetObjectPosition);
    table.slot[SLOT_GET_GROUND_HEIGHT] = Address(&GetGroundHeight);
    table.slot[SLOT_GET_DISTANCE] = Address(&GetDistance);
    table.slot[SLOT_GET_ACTIVE_CAMERA] = Address(&GetActiveCamera);
    table.slot[SLOT_SHOW_TEXT] = Address(&ShowText);
    table.slot[SLOT_HAS_CAMERA] = Address(&HasCamera);
    table.slot[SLOT_ADD_CAMERA] = Address(&AddCamera);
}

FakeHost::~FakeHost()
{
    if (current == this) current = nullptr;
}

void FakeHost::Install(int32_t referenceNumber)
{
    current = this;
    DLLInitPrivate(&table, referenceNumber);
}

void FakeHost::SetSite(const char* name, double p0, double p1, double p2)
{
    memset(&site, 0, sizeof site);
    strncpy(site.name, name, sizeof site.name - 1);
    site.position = {{p0, p1, p2}};
}

void FakeHost::SetAircraft(double t0, double t1, double t2)
{
    aircraft = {{t0, t1, t2}};
}

void InstalledHooks::Start() const
{
    HookAt<CameraStartHook>(table, HOOK_START)();
}

void InstalledHooks::Create(uint32_t classCode, uint32_t typeCode, void** out) const
{
    HookAt<CameraCreateHook>(table, HOOK_CREATE)(classCode, typeCode, out);
}

void InstalledHooks::BindKeys(uint32_t context) const
{
    HookAt<CameraBindKeysHook>(table, HOOK_BIND_KEYS)(context);
}

void InstalledHooks::Key(int32_t code) const
{
    HookAt<CameraKeyHook>(table, HOOK_KEY)(code);
}

void InstalledHooks::Update(PositionRecord* position, OrientationRecord* orientation) const
{
    HookAt<CameraUpdateHook>(table, HOOK_UPDATE)(0x11, 0x22, 0x33, position, orientation);
}

int32_t InstalledHooks::Zero() const
{
    return HookAt<CameraZeroHook>(table, HOOK_ZERO)();
}

char* InstalledHooks::GetName(char* destination, uint32_t count) const
{
    return HookAt<CameraGetNameHook>(table, HOOK_GET_NAME)(0x44, destination, count);
}
