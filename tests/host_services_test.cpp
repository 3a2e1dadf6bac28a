#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "../plugin/exports.h"
#include "plugin_fixture.h"

namespace {

// Read before main, before any test has called into the plug-in.
const int32_t referenceNumberAtLoad = DLLGetReferenceNumber();
const int32_t sdkVersionAtLoad = DLLGetSDKVersion();

int32_t secondTableNumber;
void* LUMVET_CALL SecondNewObject(int32_t number)
{
    secondTableNumber = number;
    return nullptr;
}

TEST(HostServiceTable, NumbersBeforeAndAfterInitPrivate)
{
    EXPECT_EQ(0, referenceNumberAtLoad);
    EXPECT_EQ(100, sdkVersionAtLoad);
    FakeHost host;
    EXPECT_EQ(7, DLLInitPrivate(&host.table, 7));
    EXPECT_EQ(7, DLLGetReferenceNumber());
    EXPECT_EQ(100, DLLGetSDKVersion());
    EXPECT_EQ(-123456, DLLInitPrivate(&host.table, -123456));
    EXPECT_EQ(-123456, DLLGetReferenceNumber());
}

TEST_F(PluginTest, NewObjectPassesTheStoredNumber)
{
    int record[4] = {};
    host.newObject = record;
    void* out = nullptr;
    hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
    host.Install(42);
    hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
    EXPECT_EQ((std::vector<int32_t>{7, 42}), host.newObjectNumbers);
}

TEST_F(PluginTest, TheHostMayFreeItsTableAfterHandingItOver)
{
    auto table = std::make_unique<HostServiceTable>(host.table);
    DLLInitPrivate(table.get(), 9);
    memset(table.get(), 0, sizeof *table);  // a crash below if the plug-in kept the address
    table.reset();
    hooks.Key(72);
    host.SetAircraft(10, 10, 10);
    Update();
    EXPECT_EQ((std::vector<std::string>{"HostGetActiveCamera", "HostShowText", "HostGetUserObject",
                                        "HostGetObjectPosition", "HostFindSite", "HostGetDistance",
                                        "HostGetGroundHeight"}),
              host.calls);
}

TEST_F(PluginTest, ASecondInitPrivateReplacesTableAndNumber)
{
    HostServiceTable second = host.table;
    second.slot[SLOT_NEW_OBJECT] = reinterpret_cast<HostServiceAddress>(&SecondNewObject);
    EXPECT_EQ(31, DLLInitPrivate(&second, 31));
    void* out = &out;
    hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
    EXPECT_EQ(31, secondTableNumber);
    EXPECT_TRUE(host.newObjectNumbers.empty());
    EXPECT_EQ(nullptr, out);
}

// Every slot but the twelve holds a service that fails the test (FakeHost);
// a run through every hook must not reach one. Null slots elsewhere likewise.
TEST_F(PluginTest, OnlyTheTwelveSlotsAreEverCalled)
{
    HostServiceTable sparse = {};
    for (int slot : {0, 5, 68, 86, 114, 117, 182, 213, 217, 228, 277, 278})
        sparse.slot[slot] = host.table.slot[slot];
    for (const HostServiceTable* table : {&host.table, &sparse}) {
        DLLInitPrivate(table, 3);
        DLLInit(&hooks.table, &info, 1);
        int record = 0;
        host.newObject = &record;
        void* out = nullptr;
        hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
        hooks.Start();
        hooks.BindKeys(5);
        for (int code = 70; code <= 82; ++code) hooks.Key(code);
        host.SetAircraft(100, 100, 100);
        Update();
        host.SetAircraft(1000, 100, 100);
        Update();
    }
}

}  // namespace
