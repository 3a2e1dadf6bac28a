// A plug-in that departs from the contract in one way a host can observe.
// It is the real plug-in, its entry points renamed Real*, behind a thin layer
// that exports the five names and injects the fault chosen by FAULT.
#include <cmath>
#include <cstdint>
#include <cstring>

#define FAULT_STATUS_DURATION 1  // status line shown with duration 2
#define FAULT_EXTRA_HOOK_SLOT 2  // DLLInit writes hook slot 1 as well
#define FAULT_ALTITUDE_ULP 3     // output altitude one unit in the last place high
#define FAULT_NAME_OVERRUN 4     // CameraGetName writes one byte past count
#define FAULT_CRASH_IN_ZERO 5    // CameraZero dereferences null
#define FAULT_TITLE_PADDING 6    // the title field is padded with NULs to 128 bytes
#define FAULT_STACK_ALIGNMENT 7  // CameraUpdate keeps a 16-byte vector on a stack it assumes aligned

#if defined(_WIN32)
#define FAULT_EXPORT __declspec(dllexport)
#else
#define FAULT_EXPORT __attribute__((visibility("default")))
#endif

using Address = void (*)(void);
struct Position { double c[3]; };
struct Orientation { double pitch, heading, bank; };

extern "C" {
int32_t RealDLLGetSDKVersion(void);
int32_t RealDLLInitPrivate(const Address* table, int32_t number);
int32_t RealDLLGetReferenceNumber(void);
int32_t RealDLLInit(Address* hooks, uint8_t* info, uint32_t context);
void RealDLLKill(void);
}

namespace {

Address hostTable[310];
Address realHooks[27];
using ShowTextFn = int32_t (*)(const char*, int32_t);
using UpdateFn = void (*)(uint32_t, uint32_t, uint32_t, Position*, Orientation*);
using GetNameFn = char* (*)(uint32_t, char*, uint32_t);

int32_t ShowTextWrongDuration(const char* text, int32_t duration)
{
    return reinterpret_cast<ShowTextFn>(hostTable[228])(text, duration == 1 ? 2 : duration);
}

void UpdateOneUlpHigh(uint32_t a, uint32_t b, uint32_t c, Position* position, Orientation* orientation)
{
    reinterpret_cast<UpdateFn>(realHooks[24])(a, b, c, position, orientation);
    position->c[2] = std::nextafter(position->c[2], INFINITY);
}

char* GetNameOverrun(uint32_t first, char* destination, uint32_t count)
{
    reinterpret_cast<GetNameFn>(realHooks[26])(first, destination, count);
    destination[count] = '\0';
    return destination;
}

// Built with -mincoming-stack-boundary=4 for this fault: the compiler trusts
// every caller to have aligned the stack to 16 bytes, places the vector
// without realigning, and the aligned store faults where the caller did not.
void UpdateWithAlignedVector(uint32_t a, uint32_t b, uint32_t c, Position* position,
                             Orientation* orientation)
{
    alignas(16) double scratch[2];
    asm volatile("xorps %%xmm0, %%xmm0\n\tmovaps %%xmm0, %0" : "=m"(scratch) : : "xmm0");
    reinterpret_cast<UpdateFn>(realHooks[24])(a, b, c, position, orientation);
    asm volatile("" : : "m"(scratch));
}

int32_t ZeroCrashes(void)
{
    volatile int32_t* nowhere = nullptr;
    return *nowhere;
}

}  // namespace

extern "C" {

FAULT_EXPORT int32_t DLLGetSDKVersion(void) { return RealDLLGetSDKVersion(); }
FAULT_EXPORT int32_t DLLGetReferenceNumber(void) { return RealDLLGetReferenceNumber(); }
FAULT_EXPORT void DLLKill(void) { RealDLLKill(); }

FAULT_EXPORT int32_t DLLInitPrivate(const Address* table, int32_t number)
{
    memcpy(hostTable, table, sizeof hostTable);
    Address copy[310];
    memcpy(copy, table, sizeof copy);
    if (FAULT == FAULT_STATUS_DURATION) copy[228] = reinterpret_cast<Address>(&ShowTextWrongDuration);
    return RealDLLInitPrivate(copy, number);
}

FAULT_EXPORT int32_t DLLInit(Address* hooks, uint8_t* info, uint32_t context)
{
    const int32_t answer = RealDLLInit(hooks, info, context);
    memcpy(realHooks, hooks, sizeof realHooks);
    if (FAULT == FAULT_EXTRA_HOOK_SLOT) hooks[1] = hooks[0];
    if (FAULT == FAULT_ALTITUDE_ULP) hooks[24] = reinterpret_cast<Address>(&UpdateOneUlpHigh);
    if (FAULT == FAULT_NAME_OVERRUN) hooks[26] = reinterpret_cast<Address>(&GetNameOverrun);
    if (FAULT == FAULT_CRASH_IN_ZERO) hooks[25] = reinterpret_cast<Address>(&ZeroCrashes);
    if (FAULT == FAULT_TITLE_PADDING) memset(info + 18, 0, 128 - 18);
    if (FAULT == FAULT_STACK_ALIGNMENT) hooks[24] = reinterpret_cast<Address>(&UpdateWithAlignedVector);
    return answer;
}

}  // extern "C"
