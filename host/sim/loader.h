// Loads a plug-in binary by path and finds its five entry points by name,
// the way the host does: LoadLibrary/GetProcAddress on Windows, dlopen/dlsym
// elsewhere.
#pragma once
#include <string>

#include "sim/contract.h"

struct PluginBinary {
    void* module = nullptr;
    contract::GetSdkVersionFn getSdkVersion = nullptr;
    contract::InitPrivateFn initPrivate = nullptr;
    contract::GetReferenceNumberFn getReferenceNumber = nullptr;
    contract::InitFn init = nullptr;
    contract::KillFn kill = nullptr;
};

// Answers false with a message naming what is missing.
bool LoadPlugin(const std::string& path, PluginBinary& plugin, std::string& error);
void UnloadPlugin(PluginBinary& plugin);
