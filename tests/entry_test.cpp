#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../camera/commands.h"
#include "../plugin/entry.h"
#include "plugin_fixture.h"

namespace {

constexpr uint8_t FILL = 0xA5;

struct InfoField {
    size_t offset;
    const char* text;
};
const InfoField INFO_FIELDS[] = {
    {0, "Lumvet Camera DLL"},
    {128, "KZPA"},
    {256, "Lumvet Camera developers"},
    {384, "1.00"},
    {512, "lumvet@example.org"},
};

TEST_F(PluginTest, InitWritesEachTextWithOneTerminatorAndNothingElse)
{
    uint8_t record[800];
    memset(record, FILL, sizeof record);
    DLLHookTable table;
    EXPECT_EQ(1, DLLInit(&table, reinterpret_cast<DLLInfoRecord*>(record), 0));

    size_t written = 0;
    for (const InfoField& field : INFO_FIELDS) {
        const size_t length = strlen(field.text);
        ASSERT_LE(length, 127u);
        EXPECT_EQ(0, memcmp(record + field.offset, field.text, length + 1)) << field.text;
        for (size_t i = field.offset + length + 1; i < field.offset + 128; ++i)
            ASSERT_EQ(FILL, record[i]) << "byte " << i << " behind " << field.text;
        written += length + 1;
    }
    const uint8_t versionNumber[4] = {100, 0, 0, 0};
    EXPECT_EQ(0, memcmp(record + 640, versionNumber, 4));
    for (size_t i = 644; i < sizeof record; ++i) ASSERT_EQ(FILL, record[i]) << "byte " << i;
    EXPECT_EQ(72u, written);
}

TEST_F(PluginTest, InitFillsExactlyTheSevenHookSlots)
{
    const HookAddress marker = reinterpret_cast<HookAddress>(uintptr_t(0x5A5A5A5A));
    HookAddress table[40];
    for (auto& slot : table) slot = marker;
    DLLInit(reinterpret_cast<DLLHookTable*>(table), &info, 0);

    const HookAddress expected[] = {
        reinterpret_cast<HookAddress>(&CameraStart),    // 0
        reinterpret_cast<HookAddress>(&CameraCreate),   // 4
        reinterpret_cast<HookAddress>(&CameraBindKeys), // 5
        reinterpret_cast<HookAddress>(&CameraKey),      // 18
        reinterpret_cast<HookAddress>(&CameraUpdate),   // 24
        reinterpret_cast<HookAddress>(&CameraZero),     // 25
        reinterpret_cast<HookAddress>(&CameraGetName),  // 26
    };
    const int slots[] = {0, 4, 5, 18, 24, 25, 26};
    int k = 0;
    for (int slot = 0; slot < 40; ++slot) {
        if (k < 7 && slot == slots[k])
            EXPECT_EQ(expected[k++], table[slot]) << "slot " << slot;
        else
            EXPECT_EQ(marker, table[slot]) << "slot " << slot;
    }
}

TEST_F(PluginTest, InitRegistersOnceAfterFillingWhateverTheHostAnswers)
{
    for (int32_t answer : {0, 1, -1}) {
        host.registrations.clear();
        host.calls.clear();
        host.registerAnswer = answer;
        DLLHookTable table;
        memset(&table, 0, sizeof table);
        memset(&info, 0, sizeof info);
        bool filledAtRegistration = false;
        host.onRegister = [&] {
            filledAtRegistration = info.versionNumber == 100 &&
                                   strcmp(info.contact, "lumvet@example.org") == 0 &&
                                   table.slot[HOOK_START] != nullptr;
            for (int slot : {0, 4, 5, 18, 24, 25, 26})
                filledAtRegistration = filledAtRegistration && table.slot[slot] != nullptr;
        };
        EXPECT_EQ(1, DLLInit(&table, &info, 0xFEEDBEEFu));
        EXPECT_TRUE(filledAtRegistration);
        EXPECT_EQ((std::vector<std::string>{"HostRegisterType"}), host.calls);
        ASSERT_EQ(1u, host.registrations.size());
        EXPECT_EQ(0xFEEDBEEFu, host.registrations[0][0]);
        EXPECT_EQ(0x63616D65u, host.registrations[0][1]);
        EXPECT_EQ(0x6C6D7674u, host.registrations[0][2]);
    }
}

TEST_F(PluginTest, CreateWritesTheTypeCodeIntoTheHostsRecord)
{
    uint8_t first[16], second[16];
    memset(first, 0x77, sizeof first);
    memset(second, 0x66, sizeof second);
    void* out = nullptr;
    host.newObject = first;
    hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
    EXPECT_EQ(static_cast<void*>(first), out);
    host.newObject = second;
    hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
    EXPECT_EQ(static_cast<void*>(second), out);

    EXPECT_EQ(0, memcmp(first, "tvml", 4));
    EXPECT_EQ(0, memcmp(second, "tvml", 4));
    for (int i = 4; i < 16; ++i) ASSERT_EQ(0x77, first[i]);
    for (int i = 4; i < 16; ++i) ASSERT_EQ(0x66, second[i]);
    EXPECT_EQ((std::vector<int32_t>{7, 7}), host.newObjectNumbers);
}

TEST_F(PluginTest, CreateIgnoresEveryOtherPairOfCodes)
{
    const uint32_t pairs[][2] = {
        {CAMERA_CLASS_CODE, 0x6C6D7675u}, {0x63616D66u, CAMERA_TYPE_CODE},
        {CAMERA_TYPE_CODE, CAMERA_CLASS_CODE}, {0, 0}, {0xFFFFFFFFu, CAMERA_TYPE_CODE},
        {0x656D6163u, 0x74766D6Cu},  // the codes with their bytes reversed
    };
    for (const auto& pair : pairs) {
        void* out = &out;
        hooks.Create(pair[0], pair[1], &out);
        EXPECT_EQ(static_cast<void*>(&out), out);
    }
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(PluginTest, CreateWithoutARecordFromTheHostStoresNullAndWritesNothing)
{
    host.newObject = nullptr;
    void* out = &out;
    hooks.Create(CAMERA_CLASS_CODE, CAMERA_TYPE_CODE, &out);
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ((std::vector<std::string>{"HostNewObject"}), host.calls);
}

TEST_F(PluginTest, GetNameWritesExactlyCountBytes)
{
    const struct {
        uint32_t count;
        const char* bytes;  // what must stand in the first count bytes
    } cases[] = {
        {0, ""},
        {4, "Lumv"},
        {13, "Lumvet Camera"},
        {14, "Lumvet Camera\0"},
        {20, "Lumvet Camera\0\0\0\0\0\0\0"},
    };
    for (const auto& c : cases) {
        char buffer[32];
        memset(buffer, 0xCC, sizeof buffer);
        EXPECT_EQ(buffer, hooks.GetName(buffer, c.count));
        EXPECT_EQ(0, memcmp(buffer, c.bytes, c.count)) << "count " << c.count;
        for (size_t i = c.count; i < sizeof buffer; ++i)
            ASSERT_EQ(char(0xCC), buffer[i]) << "count " << c.count << ", byte " << i;
    }
}

TEST_F(PluginTest, ZeroAnswersZeroAndKillChangesNothing)
{
    EXPECT_EQ(0, hooks.Zero());
    cameraState.zoom = 0.5f;
    CameraState before;
    memcpy(&before, &cameraState, sizeof before);
    DLLKill();
    EXPECT_EQ(0, memcmp(&before, &cameraState, sizeof before));
    EXPECT_EQ(7, DLLGetReferenceNumber());
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
