// A host made of test functions: a service table whose twelve services record
// every call and answer what the test sets. Slots the plug-in must never call
// hold a service that fails the test.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../plugin/dll_hooks.h"
#include "../plugin/host_service_table.h"

struct ShownText {
    std::string text;
    int32_t duration;
    const char* address;
};

struct FakeHost {
    // Answers.
    ObjectRef userObject = {{0xA1, 0xA2, 0xA3}};
    PositionRecord aircraft = {};
    SiteRecord site = {};
    bool findSiteWrites = true;
    double distance = 100.0;
    double groundHeight = -1.0e9;
    uint32_t activeCamera = CAMERA_TYPE_CODE;
    void* newObject = nullptr;
    int32_t hasCamera = 0;
    int32_t registerAnswer = 0;
    std::function<void()> onRegister;

    // What the plug-in did, in call order.
    std::vector<std::string> calls;
    std::vector<int32_t> newObjectNumbers;
    std::vector<std::array<uint32_t, 3>> registrations;
    std::vector<std::array<uint32_t, 3>> bindings;
    std::vector<ShownText> texts;
    std::vector<const ObjectRef*> cameraObjects;  // HostHasCamera and HostAddCamera
    std::vector<std::array<uint32_t, 2>> cameraArgs;
    PositionRecord distanceFrom = {}, distanceTo = {}, groundAt = {};
    const void* findSiteInput = nullptr;

    HostServiceTable table;

    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // Hands the table to the plug-in.
    void Install(int32_t referenceNumber = 7);
    void SetSite(const char* name, double p0, double p1, double p2);
    void SetAircraft(double t0, double t1, double t2);
};

// The hooks that DLLInit installed, called the way the host calls them.
struct InstalledHooks {
    DLLHookTable table;
    void Start() const;
    void Create(uint32_t classCode, uint32_t typeCode, void** out) const;
    void BindKeys(uint32_t context) const;
    void Key(int32_t code) const;
    void Update(PositionRecord* position, OrientationRecord* orientation) const;
    int32_t Zero() const;
    char* GetName(char* destination, uint32_t count) const;
};
