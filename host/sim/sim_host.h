// The simulated host: a 310-slot service table with the twelve services the
// contract names (every other slot holds a trap that records its own slot
// number), the records those services keep, and the host's side of every
// entry point and hook. One SimHost is active at a time in a process, since
// the services are plain functions.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sim/contract.h"
#include "sim/loader.h"

struct ShownText {
    std::string text;
    int32_t duration;
    const char* address;
};

using ObjectBytes = std::array<uint8_t, contract::OBJECT_REF_SIZE>;

class SimHost {
public:
    explicit SimHost(const PluginBinary& plugin);
    ~SimHost();
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // What the services answer. The defaults stand for an empty world: the
    // aircraft at the origin, one unnamed site there, flat ground.
    std::function<contract::Position()> aircraft;
    std::function<void(const contract::Position&, uint8_t* site, uint8_t* extra)> findSite;
    std::function<double(const contract::Position&, const contract::Position&)> distance;
    std::function<double(const contract::Position&)> ground;
    std::function<void()> onRegister;
    uint32_t activeCamera = contract::CAMERA_TYPE_CODE;
    int32_t registerAnswer = 1;
    bool newObjectAnswersNull = false;
    ObjectBytes userObject = {{'U', 'S', 'E', 'R', 1, 0, 0, 0, 0, 0, 0, 0}};

    // What the plug-in did.
    std::vector<std::string> calls;
    std::vector<ShownText> texts;
    std::vector<std::array<uint32_t, 3>> registrations;
    std::vector<std::array<uint32_t, 3>> bindings;
    std::vector<int32_t> newObjectNumbers;
    std::vector<std::pair<contract::Position, contract::Position>> distanceArgs;
    std::vector<contract::Position> groundArgs;
    std::vector<contract::Position> findSiteArgs;
    std::vector<std::array<uint32_t, 2>> hasCameraArgs;  // type, answer
    std::vector<std::array<uint32_t, 2>> addCameraArgs;  // type, third argument
    std::vector<ObjectBytes> cameraObjects;              // objects passed to has/add
    std::map<ObjectBytes, std::set<uint32_t>> camerasOn;  // camera types per object
    std::vector<int> unusedSlotsCalled;

    // The host's table and records.
    std::array<contract::Address, contract::SERVICE_SLOTS> table;
    std::array<contract::Address, 64> hooks;  // longer than the 27 the contract names
    std::array<uint8_t, 1024> info;           // longer than the 644 the plug-in may write
    int32_t referenceNumber = 0x2A17;
    uint32_t registrationContext = 0x5EED0001u;
    void* instance = nullptr;
    std::string displayName;

    // Instance records handed out by HostNewObject, owned and freed here.
    std::vector<std::unique_ptr<uint8_t[]>> objects;
    static constexpr size_t OBJECT_RECORD_SIZE = 64;

    const PluginBinary& plugin;

    // The host's order: SDK version, InitPrivate, Init, CameraCreate for the
    // registered type, CameraGetName, CameraBindKeys, CameraStart.
    void Boot();
    void InitPrivate();
    int32_t Init();

    template <typename Fn>
    Fn HookAt(int slot) const
    {
        return Fn(hooks[size_t(slot)]);
    }
    void Start() const { HookAt<contract::StartFn>(contract::START)(); }
    void Key(int32_t code) const { HookAt<contract::KeyFn>(contract::KEY)(code); }
    void Update(contract::Position* position, contract::Orientation* orientation) const
    {
        HookAt<contract::UpdateFn>(contract::UPDATE)(0x0F1A, 0x0F1B, 0x0F1C, position,
                                                     orientation);
    }

    void ClearRecords();
    void SetSite(const std::string& name, const contract::Position& position);
};

// Writes a whole site record as the host fills it: zeros, the name (cut to
// fit before the position, always terminated) and the position.
void FillSiteRecord(uint8_t* site, const std::string& name, const contract::Position& position);

// The marker every hook slot holds before DLLInit.
contract::Address HookMarker();
// A HostNewObject for a second table, recorded as "HostNewObject(second table)"
// and answering null.
contract::Address SecondTableNewObjectService();
