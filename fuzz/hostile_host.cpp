// A hostile host for libFuzzer: the input decides every answer of every
// service (positions with NaN, infinities, denormals and huge values; site
// records of arbitrary bytes, names without a terminator; any distance and
// ground height; any active camera) and the sequence of calls into the
// plug-in. After every call it checks what a host can see: guard bytes
// around every record the plug-in fills stay untouched, both output records
// of a frame are fully written, every text handed over ends inside its
// buffer, the status line has at most 16 characters, a frame makes four or
// five service calls, and no heap allocation happens inside the plug-in.
#include <fuzzer/FuzzedDataProvider.h>
#include <sanitizer/allocator_interface.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "../plugin/dll_hooks.h"
#include "../plugin/exports.h"
#include "../plugin/host_service_table.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "hostile host: %s\n", what);
    std::abort();
}

// A record with guard bytes on both sides.
template <size_t N>
struct Guarded {
    uint8_t before[32];
    uint8_t body[N];
    uint8_t after[32];

    void Arm(uint8_t fill)
    {
        memset(before, 0xA7, sizeof before);
        memset(body, fill, N);
        memset(after, 0xA7, sizeof after);
    }
    void CheckGuards(const char* what) const
    {
        for (uint8_t b : before)
            if (b != 0xA7) Fail(what);
        for (uint8_t b : after)
            if (b != 0xA7) Fail(what);
    }
};

struct Answers {
    PositionRecord target;
    uint8_t site[sizeof(SiteRecord)];
    bool writesSite;
    uint8_t extra[8];
    double distance;
    double ground;
    uint32_t activeCamera;
    int32_t hasCamera;
    bool newObjectNull;
    int32_t registerAnswer;
} answers;

bool insidePlugin;
int allocationsInside;
int serviceCalls;
Guarded<4> instance;

void CountAllocation(const volatile void*, size_t)
{
    if (insidePlugin) ++allocationsInside;
}

// While a service runs, the host is running: its allocations are its own.
struct InService {
    bool saved;
    InService() : saved(insidePlugin) { insidePlugin = false, ++serviceCalls; }
    ~InService() { insidePlugin = saved; }
};

void* LUMVET_CALL NewObject(int32_t)
{
    InService s;
    instance.Arm(0x3C);
    return answers.newObjectNull ? nullptr : instance.body;
}
int32_t LUMVET_CALL RegisterType(uint32_t, uint32_t classCode, uint32_t typeCode)
{
    InService s;
    if (classCode != CAMERA_CLASS_CODE || typeCode != CAMERA_TYPE_CODE) Fail("registered other codes");
    return answers.registerAnswer;
}
int32_t LUMVET_CALL BindKey(int32_t, int32_t one, uint32_t)
{
    InService s;
    if (one != 1) Fail("HostBindKey without the constant 1");
    return 0;
}
int32_t LUMVET_CALL FindSite(const PositionRecord*, SiteRecord* site, void* extra)
{
    InService s;
    if (answers.writesSite) {
        memcpy(site, answers.site, sizeof answers.site);
        memcpy(extra, answers.extra, sizeof answers.extra);
    }
    return 0;
}
int32_t LUMVET_CALL GetUserObject(ObjectRef* object)
{
    InService s;
    memset(object, 0x11, sizeof *object);
    return 0;
}
int32_t LUMVET_CALL GetObjectPosition(const ObjectRef*, PositionRecord* position)
{
    InService s;
    *position = answers.target;
    return 0;
}
double LUMVET_CALL GetGroundHeight(const PositionRecord*)
{
    InService s;
    return answers.ground;
}
double LUMVET_CALL GetDistance(const PositionRecord*, const PositionRecord*)
{
    InService s;
    return answers.distance;
}
uint32_t LUMVET_CALL GetActiveCamera()
{
    InService s;
    return answers.activeCamera;
}
int32_t LUMVET_CALL ShowText(const char* text, int32_t duration)
{
    InService s;
    // A site's name ends inside the 248 bytes behind byte 24 of its record
    // (or at the zero byte the plug-in keeps right behind it); the status
    // line has at most 16 characters.
    if (duration == 10) {
        if (strnlen(text, 249) > 248) Fail("a site's name runs past its record");
    } else if (duration == 1) {
        if (strnlen(text, 17) > 16) Fail("a status line longer than 16 characters");
    } else {
        Fail("HostShowText with a duration other than 10 or 1");
    }
    return 0;
}
int32_t LUMVET_CALL HasCamera(const ObjectRef*, uint32_t)
{
    InService s;
    return answers.hasCamera;
}
int32_t LUMVET_CALL AddCamera(const ObjectRef*, uint32_t, int32_t zero)
{
    InService s;
    if (zero != 0) Fail("HostAddCamera without the constant 0");
    return 0;
}

HostServiceTable table;
Guarded<sizeof(DLLHookTable)> hooks;
Guarded<sizeof(DLLInfoRecord)> info;
DLLHookTable installed;

template <typename F>
void InPlugin(F call)
{
    allocationsInside = 0;
    insidePlugin = true;
    call();
    insidePlugin = false;
    if (allocationsInside != 0) Fail("heap allocation inside the plug-in");
}

template <typename Hook>
Hook HookAt(DLLHookSlot slot)
{
    return reinterpret_cast<Hook>(installed.slot[slot]);
}

double ConsumeValue(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange(0, 8)) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return in.ConsumeBool() ? INFINITY : -INFINITY;
    case 2: return std::numeric_limits<double>::denorm_min() * in.ConsumeIntegralInRange(-9, 9);
    case 3: return in.ConsumeBool() ? DBL_MAX : -DBL_MAX;
    case 4: {
        const uint64_t bits = in.ConsumeIntegral<uint64_t>();
        double value;
        memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 5: return in.ConsumeBool() ? 650.0 : -650.0;
    case 6: return in.ConsumeBool() ? 0.0 : -0.0;
    default: return in.ConsumeIntegralInRange(-2000, 2000) + in.ConsumeIntegralInRange(0, 255) / 256.0;
    }
}

void ConsumeSite(FuzzedDataProvider& in)
{
    answers.writesSite = in.ConsumeIntegralInRange(0, 7) != 0;
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: {  // a well-formed record with a name of any bytes
        memset(answers.site, 0, sizeof answers.site);
        const std::string name = in.ConsumeRandomLengthString(207);
        memcpy(answers.site + 24, name.data(), name.size());
        PositionRecord position = {{ConsumeValue(in), ConsumeValue(in), ConsumeValue(in)}};
        memcpy(answers.site + 232, &position, sizeof position);
        break;
    }
    case 1: {  // arbitrary bytes
        memset(answers.site, in.ConsumeIntegral<uint8_t>(), sizeof answers.site);
        const auto bytes = in.ConsumeBytes<uint8_t>(sizeof answers.site);
        if (!bytes.empty()) memcpy(answers.site, bytes.data(), bytes.size());
        break;
    }
    default:  // a name without a terminator, up to the record's end
        memset(answers.site, 'N', sizeof answers.site);
        break;
    }
    for (uint8_t& b : answers.extra) b = in.ConsumeIntegral<uint8_t>();
}

int32_t ConsumeKeyCode(FuzzedDataProvider& in)
{
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(69, 83) : in.ConsumeIntegral<int32_t>();
}

uint32_t ConsumeCode(FuzzedDataProvider& in, uint32_t likely)
{
    return in.ConsumeIntegralInRange(0, 3) != 0 ? likely : in.ConsumeIntegral<uint32_t>();
}

void Init(FuzzedDataProvider& in)
{
    hooks.Arm(0x6B);
    info.Arm(0x49);
    answers.registerAnswer = in.ConsumeIntegral<int32_t>();
    InPlugin([&] {
        DLLInit(reinterpret_cast<DLLHookTable*>(hooks.body), reinterpret_cast<DLLInfoRecord*>(info.body),
                in.ConsumeIntegral<uint32_t>());
    });
    hooks.CheckGuards("DLLInit wrote outside the hook table");
    info.CheckGuards("DLLInit wrote outside the information record");
    memcpy(&installed, hooks.body, sizeof installed);
    // Exactly the seven slots changed.
    int changed = 0;
    for (size_t i = 0; i < sizeof(DLLHookTable); i += sizeof(HookAddress)) {
        uint8_t marker[sizeof(HookAddress)];
        memset(marker, 0x6B, sizeof marker);
        changed += memcmp(hooks.body + i, marker, sizeof marker) != 0;
    }
    if (changed != 7) Fail("DLLInit did not write exactly seven hook slots");
}

void Frame(FuzzedDataProvider& in)
{
    answers.target = {{ConsumeValue(in), ConsumeValue(in), ConsumeValue(in)}};
    ConsumeSite(in);
    answers.distance = ConsumeValue(in);
    answers.ground = ConsumeValue(in);
    const uint32_t first = in.ConsumeIntegral<uint32_t>();
    // The same frame twice over different markers: a component the plug-in
    // did not write keeps its marker and so differs between the two.
    Guarded<sizeof(PositionRecord)> position[2];
    Guarded<sizeof(OrientationRecord)> orientation[2];
    for (int run = 0; run < 2; ++run) {
        position[run].Arm(run ? 0xD2 : 0x2D);
        orientation[run].Arm(run ? 0xE1 : 0x1E);
        serviceCalls = 0;
        InPlugin([&] {
            HookAt<CameraUpdateHook>(HOOK_UPDATE)(first, ~first, first ^ 0x5555u,
                                                  reinterpret_cast<PositionRecord*>(position[run].body),
                                                  reinterpret_cast<OrientationRecord*>(orientation[run].body));
        });
        position[run].CheckGuards("CameraUpdate wrote outside the position record");
        orientation[run].CheckGuards("CameraUpdate wrote outside the orientation record");
        if (serviceCalls != 4 && serviceCalls != 5) Fail("a frame made other than four or five service calls");
    }
    if (memcmp(position[0].body, position[1].body, sizeof(PositionRecord)) != 0)
        Fail("CameraUpdate left part of the position record unwritten");
    if (memcmp(orientation[0].body, orientation[1].body, sizeof(OrientationRecord)) != 0)
        Fail("CameraUpdate left part of the orientation record unwritten");
}

void Create(FuzzedDataProvider& in)
{
    answers.newObjectNull = in.ConsumeIntegralInRange(0, 7) == 0;
    Guarded<sizeof(void*)> out;
    out.Arm(0x77);
    instance.Arm(0x3C);
    const uint32_t classCode = ConsumeCode(in, CAMERA_CLASS_CODE);
    const uint32_t typeCode = ConsumeCode(in, CAMERA_TYPE_CODE);
    InPlugin([&] {
        HookAt<CameraCreateHook>(HOOK_CREATE)(classCode, typeCode, reinterpret_cast<void**>(out.body));
    });
    out.CheckGuards("CameraCreate wrote outside the out slot");
    instance.CheckGuards("CameraCreate wrote outside the instance record");
}

void GetName(FuzzedDataProvider& in)
{
    Guarded<64> buffer;
    buffer.Arm(0x5F);
    const uint32_t count = in.ConsumeIntegralInRange<uint32_t>(0, 64);
    InPlugin([&] {
        if (HookAt<CameraGetNameHook>(HOOK_GET_NAME)(0, reinterpret_cast<char*>(buffer.body), count) !=
            reinterpret_cast<char*>(buffer.body))
            Fail("CameraGetName did not answer the destination");
    });
    buffer.CheckGuards("CameraGetName wrote outside the buffer");
    for (uint32_t i = count; i < 64; ++i)
        if (buffer.body[i] != 0x5F) Fail("CameraGetName wrote past count");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    __sanitizer_install_malloc_and_free_hooks(&CountAllocation, nullptr);
    table.slot[SLOT_NEW_OBJECT] = reinterpret_cast<HostServiceAddress>(&NewObject);
    table.slot[SLOT_REGISTER_TYPE] = reinterpret_cast<HostServiceAddress>(&RegisterType);
    table.slot[SLOT_BIND_KEY] = reinterpret_cast<HostServiceAddress>(&BindKey);
    table.slot[SLOT_FIND_SITE] = reinterpret_cast<HostServiceAddress>(&FindSite);
    table.slot[SLOT_GET_USER_OBJECT] = reinterpret_cast<HostServiceAddress>(&GetUserObject);
    table.slot[SLOT_GET_OBJECT_POSITION] = reinterpret_cast<HostServiceAddress>(&GetObjectPosition);
    table.slot[SLOT_GET_GROUND_HEIGHT] = reinterpret_cast<HostServiceAddress>(&GetGroundHeight);
    table.slot[SLOT_GET_DISTANCE] = reinterpret_cast<HostServiceAddress>(&GetDistance);
    table.slot[SLOT_GET_ACTIVE_CAMERA] = reinterpret_cast<HostServiceAddress>(&GetActiveCamera);
    table.slot[SLOT_SHOW_TEXT] = reinterpret_cast<HostServiceAddress>(&ShowText);
    table.slot[SLOT_HAS_CAMERA] = reinterpret_cast<HostServiceAddress>(&HasCamera);
    table.slot[SLOT_ADD_CAMERA] = reinterpret_cast<HostServiceAddress>(&AddCamera);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    // The one order the plug-in relies on: the table first, then DLLInit.
    // The plug-in's state carries over from input to input, as it does in a
    // host that never unloads it.
    InPlugin([&] { DLLInitPrivate(&table, in.ConsumeIntegral<int32_t>()); });
    Init(in);
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0:
        case 1:
        case 2: Frame(in); break;
        case 3: {
            answers.activeCamera = ConsumeCode(in, CAMERA_TYPE_CODE);
            const int32_t code = ConsumeKeyCode(in);
            InPlugin([&] { HookAt<CameraKeyHook>(HOOK_KEY)(code); });
            break;
        }
        case 4:
            answers.hasCamera = in.ConsumeIntegralInRange(-1, 1);
            InPlugin([&] { HookAt<CameraStartHook>(HOOK_START)(); });
            break;
        case 5: Create(in); break;
        case 6: GetName(in); break;
        case 7: {
            const uint32_t context = in.ConsumeIntegral<uint32_t>();
            InPlugin([&] { HookAt<CameraBindKeysHook>(HOOK_BIND_KEYS)(context); });
            break;
        }
        case 8: Init(in); break;
        default: {
            const int32_t number = in.ConsumeIntegral<int32_t>();
            InPlugin([&] {
                if (DLLInitPrivate(&table, number) != number) Fail("DLLInitPrivate did not answer its number");
                if (DLLGetReferenceNumber() != number) Fail("the reference number was not stored");
                if (DLLGetSDKVersion() != 100) Fail("DLLGetSDKVersion");
                if (HookAt<CameraZeroHook>(HOOK_ZERO)() != 0) Fail("CameraZero");
                DLLKill();
            });
            break;
        }
        }
    }
    return 0;
}
