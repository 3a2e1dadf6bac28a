// A freshly initialised plug-in talking to a FakeHost, for every hook test.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "../camera/placement.h"
#include "../plugin/exports.h"
#include "fake_host.h"

struct Frame {
    PositionRecord position;
    OrientationRecord orientation;
};

class PluginTest : public ::testing::Test {
protected:
    static constexpr uint32_t REGISTRATION_CONTEXT = 0xC0FFEE01u;

    FakeHost host;
    InstalledHooks hooks;
    DLLInfoRecord info;

    void SetUp() override
    {
        cameraState = CameraState{};
        host.Install(7);
        DLLInit(&hooks.table, &info, REGISTRATION_CONTEXT);
        host.calls.clear();
        host.registrations.clear();
    }

    // One CameraUpdate into records pre-filled with a marker, so a component
    // the hook forgot to write shows.
    Frame Update()
    {
        Frame frame;
        memset(&frame, 0xEE, sizeof frame);
        hooks.Update(&frame.position, &frame.orientation);
        return frame;
    }

    void Press(int32_t code, int times = 1)
    {
        for (int i = 0; i < times; ++i) hooks.Key(code);
    }
};

inline uint32_t FloatBits(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline uint64_t DoubleBits(double value)
{
    uint64_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}
