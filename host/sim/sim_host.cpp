#include "sim/sim_host.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "sim/world.h"

using contract::Address;
using contract::Position;

namespace {

SimHost* current;

ObjectBytes ToBytes(const void* object)
{
    ObjectBytes bytes;
    memcpy(bytes.data(), object, bytes.size());
    return bytes;
}

void* NewObject(int32_t number)
{
    current->calls.push_back("HostNewObject");
    current->newObjectNumbers.push_back(number);
    if (current->newObjectAnswersNull) return nullptr;
    auto record = std::make_unique<uint8_t[]>(SimHost::OBJECT_RECORD_SIZE);
    memset(record.get(), 0xB0, SimHost::OBJECT_RECORD_SIZE);
    current->objects.push_back(std::move(record));
    return current->objects.back().get();
}

int32_t RegisterType(uint32_t context, uint32_t classCode, uint32_t typeCode)
{
    current->calls.push_back("HostRegisterType");
    current->registrations.push_back({context, classCode, typeCode});
    if (current->onRegister) current->onRegister();
    return current->registerAnswer;
}

int32_t BindKey(int32_t code, int32_t one, uint32_t context)
{
    current->calls.push_back("HostBindKey");
    current->bindings.push_back({uint32_t(code), uint32_t(one), context});
    return 1;
}

int32_t FindSite(const Position* position, uint8_t* site, uint8_t* extra)
{
    current->calls.push_back("HostFindSite");
    current->findSiteArgs.push_back(*position);
    current->findSite(*position, site, extra);
    return 1;
}

int32_t GetUserObject(uint8_t* object)
{
    current->calls.push_back("HostGetUserObject");
    memcpy(object, current->userObject.data(), contract::OBJECT_REF_SIZE);
    return 1;
}

int32_t GetObjectPosition(const uint8_t* object, Position* position)
{
    current->calls.push_back(ToBytes(object) == current->userObject
                                 ? "HostGetObjectPosition"
                                 : "HostGetObjectPosition(unknown object)");
    *position = current->aircraft();
    return 1;
}

double GetGroundHeight(const Position* position)
{
    current->calls.push_back("HostGetGroundHeight");
    current->groundArgs.push_back(*position);
    return current->ground(*position);
}

double GetDistance(const Position* from, const Position* to)
{
    current->calls.push_back("HostGetDistance");
    current->distanceArgs.push_back({*from, *to});
    return current->distance(*from, *to);
}

uint32_t GetActiveCamera()
{
    current->calls.push_back("HostGetActiveCamera");
    return current->activeCamera;
}

int32_t ShowText(const char* text, int32_t duration)
{
    current->calls.push_back("HostShowText");
    current->texts.push_back({text, duration, text});
    return 1;
}

int32_t HasCamera(const uint8_t* object, uint32_t typeCode)
{
    current->calls.push_back("HostHasCamera");
    const ObjectBytes bytes = ToBytes(object);
    current->cameraObjects.push_back(bytes);
    const int32_t answer = current->camerasOn[bytes].count(typeCode) ? 1 : 0;
    current->hasCameraArgs.push_back({typeCode, uint32_t(answer)});
    return answer;
}

int32_t AddCamera(const uint8_t* object, uint32_t typeCode, int32_t zero)
{
    current->calls.push_back("HostAddCamera");
    const ObjectBytes bytes = ToBytes(object);
    current->cameraObjects.push_back(bytes);
    current->addCameraArgs.push_back({typeCode, uint32_t(zero)});
    current->camerasOn[bytes].insert(typeCode);
    return 1;
}

void* SecondTableNewObject(int32_t number)
{
    current->calls.push_back("HostNewObject(second table)");
    current->newObjectNumbers.push_back(number);
    return nullptr;
}

template <int Slot>
void UnusedService()
{
    if (current) current->unusedSlotsCalled.push_back(Slot);
}

template <int... Slots>
std::array<Address, sizeof...(Slots)> Traps(std::integer_sequence<int, Slots...>)
{
    return {{&UnusedService<Slots>...}};
}

template <typename F>
Address AsAddress(F f)
{
    return reinterpret_cast<Address>(f);
}

void HookMarkerFunction() {}

}  // namespace

void FillSiteRecord(uint8_t* site, const std::string& name, const Position& position)
{
    memset(site, 0, contract::SITE_SIZE);
    const size_t length = std::min(name.size(), contract::SITE_POSITION - contract::SITE_NAME - 1);
    memcpy(site + contract::SITE_NAME, name.data(), length);
    memcpy(site + contract::SITE_POSITION, &position, sizeof position);
}

contract::Address SecondTableNewObjectService()
{
    return AsAddress(&SecondTableNewObject);
}

contract::Address HookMarker()
{
    return &HookMarkerFunction;
}

SimHost::SimHost(const PluginBinary& binary) : plugin(binary)
{
    current = this;
    aircraft = [] { return Position{{0, 0, 0}}; };
    findSite = [](const Position&, uint8_t* site, uint8_t*) {
        memset(site, 0, contract::SITE_SIZE);
    };
    distance = &Distance3D;
    ground = [](const Position&) { return 0.0; };

    table = Traps(std::make_integer_sequence<int, contract::SERVICE_SLOTS>());
    table[contract::NEW_OBJECT] = AsAddress(&NewObject);
    table[contract::REGISTER_TYPE] = AsAddress(&RegisterType);
    table[contract::BIND_KEY] = AsAddress(&BindKey);
    table[contract::FIND_SITE] = AsAddress(&FindSite);
    table[contract::GET_USER_OBJECT] = AsAddress(&GetUserObject);
    table[contract::GET_OBJECT_POSITION] = AsAddress(&GetObjectPosition);
    table[contract::GET_GROUND_HEIGHT] = AsAddress(&GetGroundHeight);
    table[contract::GET_DISTANCE] = AsAddress(&GetDistance);
    table[contract::GET_ACTIVE_CAMERA] = AsAddress(&GetActiveCamera);
    table[contract::SHOW_TEXT] = AsAddress(&ShowText);
    table[contract::HAS_CAMERA] = AsAddress(&HasCamera);
    table[contract::ADD_CAMERA] = AsAddress(&AddCamera);

    hooks.fill(HookMarker());
    info.fill(0xC3);
}

SimHost::~SimHost()
{
    if (current == this) current = nullptr;
}

void SimHost::InitPrivate()
{
    current = this;
    plugin.initPrivate(table.data(), referenceNumber);
}

int32_t SimHost::Init()
{
    current = this;
    return plugin.init(hooks.data(), info.data(), registrationContext);
}

void SimHost::Boot()
{
    current = this;
    plugin.getSdkVersion();
    InitPrivate();
    Init();
    for (const auto& registration : registrations)
        HookAt<contract::CreateFn>(contract::CREATE)(registration[1], registration[2], &instance);
    char name[64] = {};
    HookAt<contract::GetNameFn>(contract::GET_NAME)(0, name, sizeof name - 1);
    displayName = name;
    HookAt<contract::BindKeysFn>(contract::BIND_KEYS)(0xB1D0u);
    Start();
}

void SimHost::ClearRecords()
{
    calls.clear();
    texts.clear();
    registrations.clear();
    bindings.clear();
    newObjectNumbers.clear();
    distanceArgs.clear();
    groundArgs.clear();
    findSiteArgs.clear();
    hasCameraArgs.clear();
    addCameraArgs.clear();
    cameraObjects.clear();
    unusedSlotsCalled.clear();
}

void SimHost::SetSite(const std::string& name, const Position& position)
{
    findSite = [name, position](const Position&, uint8_t* site, uint8_t* extra) {
        FillSiteRecord(site, name, position);
        memset(extra, 0x0E, contract::SITE_EXTRA_SIZE);
    };
}
