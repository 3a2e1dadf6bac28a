#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/loader.h"
#include "sim/plugin_call.h"

namespace {

// Where the stack pointer stood just before the call pushed its return
// address: the frame pointer of this function plus the saved frame pointer
// and the return address.
__attribute__((noinline)) uint32_t StackAtCall(uint32_t, uint32_t)
{
    return uint32_t(reinterpret_cast<uintptr_t>(__builtin_frame_address(0))) + 2 * sizeof(void*);
}

__attribute__((noinline)) int32_t Digits(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e)
{
    return a * 10000 + b * 1000 + c * 100 + d * 10 + e;
}

TEST(PluginCall, PassesEveryArgumentInOrderAtEveryOffset)
{
    const PluginFn<int32_t(int32_t, int32_t, int32_t, int32_t, int32_t)> digits(&Digits);
    for (int offset : plugin_call::STACK_OFFSETS) {
        plugin_call::SetStackOffset(offset);
        EXPECT_EQ(12345, digits(1, 2, 3, 4, 5)) << "offset " << offset;
    }
    plugin_call::SetStackOffset(0);
}

TEST(PluginCall, LeavesTheStackPointerAtTheOffsetChosen)
{
    if (!plugin_call::SKEWS_THE_STACK) GTEST_SKIP() << "only a 32-bit host skews the stack";
    const PluginFn<uint32_t(uint32_t, uint32_t)> stackAtCall(&StackAtCall);
    for (int offset : plugin_call::STACK_OFFSETS) {
        plugin_call::SetStackOffset(offset);
        EXPECT_EQ(uint32_t(offset), stackAtCall(7, 8) % 16) << "offset " << offset;
    }
    plugin_call::SetStackOffset(0);
}

// The first bytes of a module of each kind, enough for its header.
std::vector<unsigned char> Header(const std::string& kind)
{
    std::vector<unsigned char> bytes(512, 0);
    auto put = [&](size_t at, uint32_t value, size_t size) {
        for (size_t i = 0; i < size; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
    };
    if (kind.find("Windows") != std::string::npos) {
        put(0, 'M' | ('Z' << 8), 2);
        put(0x3C, 0x80, 4);
        put(0x80, 0x00004550u, 4);
        put(0x84, kind.find("32-bit") == 0 ? 0x014C : 0x8664, 2);
        put(0x96, kind.find("DLL") != std::string::npos ? 0x2102 : 0x0102, 2);
    } else {
        put(0, 0x464C457Fu, 4);
        bytes[4] = kind.find("32-bit") == 0 ? 1 : 2;
        bytes[5] = 1;
        put(16, kind.find("shared object") != std::string::npos ? 3 : 2, 2);
        put(18, kind.find("32-bit") == 0 ? 3 : 62, 2);
    }
    return bytes;
}

// Each test its own files: CTest runs tests side by side.
std::string WriteFile(const std::vector<unsigned char>& bytes)
{
    static int count = 0;
    const std::string name = std::string("lumvet-") +
                             testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                             std::to_string(count++) + ".bin";
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               std::streamsize(bytes.size()));
    return path.string();
}

TEST(Loader, NamesWhatAFileIsAndTheHostThatLoadsIt)
{
    const struct {
        const char* kind;
        const char* host;  // what the message names when this host cannot load it
    } cases[] = {
        {"32-bit Windows DLL", "use dist/win32/lumvet-host.exe"},
        {"64-bit Windows DLL", "use dist/win64/lumvet-host.exe"},
        {"64-bit Linux shared object", "use build/native/host/lumvet-host"},
        {"32-bit Linux shared object", "no build of lumvet-host loads it"},
    };
    for (const auto& c : cases) {
        const std::string path = WriteFile(Header(c.kind));
        EXPECT_EQ(c.kind, ModuleKind(path));
        PluginBinary plugin;
        std::string error;
        const LoadResult result = LoadPlugin(path, plugin, error);
        if (ThisHostLoads() == c.kind) {
            // The right kind, but only a header: the loader refuses it.
            EXPECT_EQ(LoadResult::NOT_A_MODULE, result) << error;
        } else {
            EXPECT_EQ(LoadResult::WRONG_BUILD, result) << error;
            EXPECT_NE(std::string::npos, error.find(std::string("a ") + c.kind + "; this lumvet-host loads " +
                                                    ThisHostLoads() + "s: " + c.host))
                << error;
        }
        EXPECT_EQ(nullptr, plugin.module);
        std::filesystem::remove(path);
    }
}

TEST(Loader, RefusesWhatIsNoModule)
{
    const struct {
        std::vector<unsigned char> bytes;
        const char* kind;
        const char* error;
    } cases[] = {
        {{'h', 'e', 'l', 'l', 'o'}, "", "not a loadable module (neither a Windows DLL nor a Linux shared object)"},
        {{'M', 'Z', 0, 0}, "", "not a loadable module"},
        {Header("32-bit Windows program"), "32-bit Windows program", "a 32-bit Windows program, not a loadable module"},
        {Header("64-bit Linux program"), "64-bit Linux program", "a 64-bit Linux program, not a loadable module"},
    };
    for (const auto& c : cases) {
        const std::string path = WriteFile(c.bytes);
        EXPECT_EQ(c.kind, ModuleKind(path));
        PluginBinary plugin;
        std::string error;
        EXPECT_EQ(LoadResult::NOT_A_MODULE, LoadPlugin(path, plugin, error)) << error;
        EXPECT_NE(std::string::npos, error.find(c.error)) << error;
        std::filesystem::remove(path);
    }
    PluginBinary plugin;
    std::string error;
    EXPECT_EQ(LoadResult::MISSING, LoadPlugin("no-such-plugin.dll", plugin, error));
    EXPECT_NE(std::string::npos, error.find("no-such-plugin.dll: no such file")) << error;
}

}  // namespace
