#include "sim/loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

void* OpenModule(const std::string& path, std::string& error)
{
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
#else
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) error = "cannot load " + path + ": " + dlerror();
    return module;
#endif
}

void* FindSymbol(void* module, const char* name)
{
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
#else
    return dlsym(module, name);
#endif
}

template <typename Fn>
bool Find(void* module, const char* name, Fn& fn, std::string& error)
{
    fn = reinterpret_cast<Fn>(FindSymbol(module, name));
    if (!fn) error += std::string(error.empty() ? "" : ", ") + "no entry point " + name;
    return fn != nullptr;
}

}  // namespace

bool LoadPlugin(const std::string& path, PluginBinary& plugin, std::string& error)
{
    plugin = PluginBinary{};
    error.clear();
    plugin.module = OpenModule(path, error);
    if (!plugin.module) return false;
    bool ok = Find(plugin.module, "DLLGetSDKVersion", plugin.getSdkVersion, error);
    ok = Find(plugin.module, "DLLInitPrivate", plugin.initPrivate, error) && ok;
    ok = Find(plugin.module, "DLLGetReferenceNumber", plugin.getReferenceNumber, error) && ok;
    ok = Find(plugin.module, "DLLInit", plugin.init, error) && ok;
    ok = Find(plugin.module, "DLLKill", plugin.kill, error) && ok;
    return ok;
}

void UnloadPlugin(PluginBinary& plugin)
{
    if (!plugin.module) return;
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(plugin.module));
#else
    dlclose(plugin.module);
#endif
    plugin = PluginBinary{};
}
