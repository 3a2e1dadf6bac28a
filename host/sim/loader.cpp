#include "sim/loader.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

constexpr const char* WINDOWS_32 = "32-bit Windows DLL";
constexpr const char* WINDOWS_64 = "64-bit Windows DLL";
constexpr const char* LINUX_64 = "64-bit Linux shared object";
constexpr const char* LINUX_32 = "32-bit Linux shared object";

// Which build of lumvet-host loads a kind of module.
std::string HostFor(const std::string& kind)
{
    if (kind == WINDOWS_32) return "use dist/win32/lumvet-host.exe";
    if (kind == WINDOWS_64) return "use dist/win64/lumvet-host.exe";
    if (kind == LINUX_64) return "use build/native/host/lumvet-host";
    return "no build of lumvet-host loads it";
}

uint32_t Little(const std::vector<unsigned char>& bytes, size_t at, size_t size)
{
    uint32_t value = 0;
    for (size_t i = 0; i < size && at + i < bytes.size(); ++i) value |= uint32_t(bytes[at + i]) << (8 * i);
    return value;
}

std::string FullPath(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

void* OpenModule(const std::string& fullPath, std::string& error)
{
#if defined(_WIN32)
    // A full path and the altered search path: the DLL named, and the DLLs
    // it imports looked up beside it first, not beside this program.
    HMODULE module = LoadLibraryExA(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) error = "the Windows loader refused it (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
#else
    void* module = dlopen(fullPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) error = std::string("the loader refused it: ") + dlerror();
    return module;
#endif
}

std::string LoadedPath(void* module, const std::string& fullPath)
{
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), path, sizeof path);
    if (length > 0 && length < sizeof path) return std::string(path, length);
#else
    (void)module;
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(fullPath, ec);
    if (!ec) return canonical.string();
#endif
    return fullPath;
}

void* FindSymbol(void* module, const char* name)
{
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
#else
    return dlsym(module, name);
#endif
}

void CloseModule(void* module)
{
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(module));
#else
    dlclose(module);
#endif
}

template <typename Fn>
void Find(void* module, const char* name, Fn& fn, std::string& missing)
{
    fn = Fn(FindSymbol(module, name));
    if (!fn) missing += std::string(missing.empty() ? "" : ", ") + name;
}

}  // namespace

std::string ModuleKind(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> head(4096);
    file.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    head.resize(size_t(file.gcount()));
    if (head.size() >= 64 && head[0] == 'M' && head[1] == 'Z') {
        const uint32_t pe = Little(head, 0x3C, 4);
        if (pe + 24 > head.size() || Little(head, pe, 4) != 0x00004550u) return "";
        const uint32_t machine = Little(head, pe + 4, 2);
        const bool dll = Little(head, pe + 22, 2) & 0x2000u;
        const std::string what = dll ? "DLL" : "program";
        if (machine == 0x014C) return "32-bit Windows " + what;
        if (machine == 0x8664) return "64-bit Windows " + what;
        return "Windows " + what + " for another processor";
    }
    if (head.size() >= 20 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') {
        const uint32_t type = Little(head, 16, 2), machine = Little(head, 18, 2);
        const std::string what = type == 3 ? "shared object" : "program";
        if (head[4] == 1 && machine == 3) return "32-bit Linux " + what;
        if (head[4] == 2 && machine == 62) return "64-bit Linux " + what;
        return "Linux " + what + " for another processor";
    }
    return "";
}

std::string ThisHostLoads()
{
#if defined(_WIN32)
    return sizeof(void*) == 4 ? WINDOWS_32 : WINDOWS_64;
#else
    return sizeof(void*) == 4 ? LINUX_32 : LINUX_64;
#endif
}

LoadResult LoadPlugin(const std::string& path, PluginBinary& plugin, std::string& error)
{
    plugin = PluginBinary{};
    error.clear();
    const std::string fullPath = FullPath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fullPath, ec)) {
        error = fullPath + ": no such file";
        return LoadResult::MISSING;
    }
    const std::string kind = ModuleKind(fullPath);
    if (kind.empty()) {
        error = fullPath + ": not a loadable module (neither a Windows DLL nor a Linux shared object)";
        return LoadResult::NOT_A_MODULE;
    }
    if (kind != ThisHostLoads()) {
        const bool module = kind == WINDOWS_32 || kind == WINDOWS_64 || kind == LINUX_32 || kind == LINUX_64;
        error = fullPath + ": a " + kind + (module ? "" : ", not a loadable module") +
                "; this lumvet-host loads " + ThisHostLoads() + "s" + (module ? ": " + HostFor(kind) : "");
        return module ? LoadResult::WRONG_BUILD : LoadResult::NOT_A_MODULE;
    }
    std::string refused;
    plugin.module = OpenModule(fullPath, refused);
    if (!plugin.module) {
        error = fullPath + ": a " + kind + ", but " + refused;
        return LoadResult::NOT_A_MODULE;
    }
    plugin.path = LoadedPath(plugin.module, fullPath);
    plugin.kind = kind;
    std::string missing;
    Find(plugin.module, "DLLGetSDKVersion", plugin.getSdkVersion, missing);
    Find(plugin.module, "DLLInitPrivate", plugin.initPrivate, missing);
    Find(plugin.module, "DLLGetReferenceNumber", plugin.getReferenceNumber, missing);
    Find(plugin.module, "DLLInit", plugin.init, missing);
    Find(plugin.module, "DLLKill", plugin.kill, missing);
    if (!missing.empty()) {
        error = plugin.path + ": does not export the entry point" +
                (missing.find(',') == std::string::npos ? " " : "s ") + missing;
        UnloadPlugin(plugin);
        return LoadResult::MISSING_ENTRY_POINT;
    }
    return LoadResult::LOADED;
}

void UnloadPlugin(PluginBinary& plugin)
{
    if (plugin.module) CloseModule(plugin.module);
    plugin = PluginBinary{};
}

std::string Described(const PluginBinary& plugin)
{
    return plugin.path + " (" + plugin.kind + ")";
}
