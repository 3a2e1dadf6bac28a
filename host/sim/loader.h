// Loads a plug-in binary and finds its five entry points by name, the way
// the host does: LoadLibrary/GetProcAddress on Windows, dlopen/dlsym
// elsewhere. It loads exactly the file named: a relative path is taken from
// the current directory, never from the loader's search path (which on
// Windows starts in this program's own folder).
#pragma once
#include <string>

#include "sim/contract.h"

struct PluginBinary {
    void* module = nullptr;
    std::string path;  // the full path of the module loaded
    std::string kind;  // what the file is, e.g. "32-bit Windows DLL"
    contract::GetSdkVersionFn getSdkVersion;
    contract::InitPrivateFn initPrivate;
    contract::GetReferenceNumberFn getReferenceNumber;
    contract::InitFn init;
    contract::KillFn kill;
};

enum class LoadResult {
    LOADED,
    MISSING,              // no such file
    NOT_A_MODULE,         // neither a Windows DLL nor a Linux shared object, or the loader refused it
    WRONG_BUILD,          // a module this build of the host cannot load (another word size or system)
    MISSING_ENTRY_POINT,  // loaded, but one of the five names is not exported
};

// On anything but LOADED, error is one line that says which, naming the
// lumvet-host build to use where that is the cause; nothing stays loaded.
LoadResult LoadPlugin(const std::string& path, PluginBinary& plugin, std::string& error);
void UnloadPlugin(PluginBinary& plugin);
// "FULL-PATH (KIND)": what was loaded, as the host reports it.
std::string Described(const PluginBinary& plugin);

// What the file at path is, read from its header ("" when it is neither a
// PE nor an ELF file), and what this build of the host loads.
std::string ModuleKind(const std::string& path);
std::string ThisHostLoads();
