// A DLL that gets the boundary wrong in ways the PE check must catch: the
// entry points and a hook clean up their own arguments (ret N), one entry
// point is missing, and the module has another name.
#include <cstdint>

typedef void (*HookAddress)(void);

extern "C" {
__attribute__((stdcall)) void CameraCreate(uint32_t, uint32_t, void** out) { *out = nullptr; }
__attribute__((stdcall)) int32_t DLLInitPrivate(const void*, int32_t number) { return number; }
__attribute__((stdcall)) int32_t DLLInit(HookAddress* hooks, void*, uint32_t)
{
    hooks[4] = reinterpret_cast<HookAddress>(&CameraCreate);
    return 1;
}
int32_t DLLGetSDKVersion(void) { return 100; }
int32_t DLLGetReferenceNumber(void) { return 0; }
}
