// A DLL that gets the boundary wrong in ways the PE check must catch: the
// entry points clean up their own arguments (ret N), one is missing, and the
// module has another name.
#include <cstdint>

extern "C" {
__attribute__((stdcall)) int32_t DLLInitPrivate(const void*, int32_t number) { return number; }
__attribute__((stdcall)) int32_t DLLInit(void*, void*, uint32_t) { return 1; }
int32_t DLLGetSDKVersion(void) { return 100; }
int32_t DLLGetReferenceNumber(void) { return 0; }
}
