// What a frame and a key cost, through the exported hooks, against a host
// whose services answer at once; and the floor: the same host calls and the
// same atan2, atan and square on the same inputs, with nothing else.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include <unistd.h>

#include "../plugin/dll_hooks.h"
#include "../plugin/exports.h"
#include "../plugin/host_service_table.h"

extern "C" void* __libc_malloc(size_t);

namespace {

// Every allocation in the process, so a benchmark can report how many of
// them happen per iteration.
size_t allocations;

PositionRecord aircraft;
SiteRecord site;

int32_t LUMVET_CALL FindSite(const PositionRecord*, SiteRecord* out, void*)
{
    memcpy(out, &site, sizeof site);
    return 0;
}
int32_t LUMVET_CALL GetUserObject(ObjectRef* object)
{
    object->opaque[0] = 1;
    return 0;
}
int32_t LUMVET_CALL GetObjectPosition(const ObjectRef*, PositionRecord* position)
{
    *position = aircraft;
    return 0;
}
double LUMVET_CALL GetGroundHeight(const PositionRecord*) { return 12.5; }
double LUMVET_CALL GetDistance(const PositionRecord*, const PositionRecord*) { return 250.0; }
uint32_t LUMVET_CALL GetActiveCamera() { return CAMERA_TYPE_CODE; }
int32_t LUMVET_CALL ShowText(const char* text, int32_t) { benchmark::DoNotOptimize(text); return 0; }
int32_t LUMVET_CALL Answer(...) { return 0; }

HostServiceTable table;
DLLHookTable hooks;

void SetUpPlugin(double targetX)
{
    table.slot[SLOT_FIND_SITE] = reinterpret_cast<HostServiceAddress>(&FindSite);
    table.slot[SLOT_GET_USER_OBJECT] = reinterpret_cast<HostServiceAddress>(&GetUserObject);
    table.slot[SLOT_GET_OBJECT_POSITION] = reinterpret_cast<HostServiceAddress>(&GetObjectPosition);
    table.slot[SLOT_GET_GROUND_HEIGHT] = reinterpret_cast<HostServiceAddress>(&GetGroundHeight);
    table.slot[SLOT_GET_DISTANCE] = reinterpret_cast<HostServiceAddress>(&GetDistance);
    table.slot[SLOT_GET_ACTIVE_CAMERA] = reinterpret_cast<HostServiceAddress>(&GetActiveCamera);
    table.slot[SLOT_SHOW_TEXT] = reinterpret_cast<HostServiceAddress>(&ShowText);
    for (int slot : {SLOT_NEW_OBJECT, SLOT_REGISTER_TYPE, SLOT_BIND_KEY, SLOT_HAS_CAMERA, SLOT_ADD_CAMERA})
        table.slot[slot] = reinterpret_cast<HostServiceAddress>(&Answer);
    DLLInitPrivate(&table, 1);
    DLLInfoRecord info;
    DLLInit(&hooks, &info, 0);
    memset(&site, 0, sizeof site);
    strcpy(site.name, "Harbour Point");
    site.position = {{0, 0, 10}};
    aircraft = {{targetX, 400, 110}};
}

template <typename Hook>
Hook HookAt(DLLHookSlot slot)
{
    return reinterpret_cast<Hook>(hooks.slot[slot]);
}

void ReportAllocations(benchmark::State& state, size_t before)
{
    state.counters["allocs_per_iter"] =
        benchmark::Counter(double(allocations - before), benchmark::Counter::kAvgIterations);
}

void Frames(benchmark::State& state, double targetX)
{
    SetUpPlugin(targetX);
    // A key first, so the frame runs in down mode at a zoom other than 0.
    HookAt<CameraKeyHook>(HOOK_KEY)(77);
    const CameraUpdateHook update = HookAt<CameraUpdateHook>(HOOK_UPDATE);
    PositionRecord position;
    OrientationRecord orientation;
    const size_t before = allocations;
    for (auto _ : state) {
        update(0, 0, 0, &position, &orientation);
        benchmark::DoNotOptimize(position);
        benchmark::DoNotOptimize(orientation);
    }
    ReportAllocations(state, before);
}

void BM_TrackingFrame(benchmark::State& state) { Frames(state, 300); }
void BM_ParkedFrame(benchmark::State& state) { Frames(state, 3000); }

void BM_Key(benchmark::State& state)
{
    SetUpPlugin(300);
    const CameraKeyHook key = HookAt<CameraKeyHook>(HOOK_KEY);
    const size_t before = allocations;
    for (auto _ : state) key(77);  // settles at the top of the zoom range
    ReportAllocations(state, before);
}

// The same five service calls through the same table and the same three
// mathematical functions on the same inputs: what no implementation of a
// tracking frame can go below.
void BM_FrameFloor(benchmark::State& state)
{
    SetUpPlugin(300);
    const auto getUser = reinterpret_cast<HostGetUserObjectService>(table.slot[SLOT_GET_USER_OBJECT]);
    const auto getPosition = reinterpret_cast<HostGetObjectPositionService>(table.slot[SLOT_GET_OBJECT_POSITION]);
    const auto findSite = reinterpret_cast<HostFindSiteService>(table.slot[SLOT_FIND_SITE]);
    const auto getDistance = reinterpret_cast<HostGetDistanceService>(table.slot[SLOT_GET_DISTANCE]);
    const auto getGround = reinterpret_cast<HostGetGroundHeightService>(table.slot[SLOT_GET_GROUND_HEIGHT]);
    static ObjectRef user;
    static PositionRecord target, position;
    static SiteRecord siteRecord;
    static uint8_t extra[8];
    // The zoom after one zoom-in, read as the frame reads its setting; the
    // results go where the frame's go, into memory.
    static volatile float zoom = 0.1f;
    static volatile double sink[3];
    (void)sink;
    const size_t before = allocations;
    for (auto _ : state) {
        getUser(&user);
        getPosition(&user, &target);
        findSite(&target, &siteRecord, extra);
        const double* T = target.component;
        const double* P = siteRecord.position.component;
        const double z = zoom;
        const double square = std::pow(z - 1.0, 2.0);
        const double heading = std::atan2(T[1] - P[1], T[0] - P[0]);
        const float distance = float(getDistance(&position, &target));
        const double pitch = std::atan((25.0 * square + z * T[2] - T[2]) / double(distance));
        const float ground = float(getGround(&position));
        sink[0] = heading;
        sink[1] = pitch;
        sink[2] = ground;
    }
    ReportAllocations(state, before);
}

BENCHMARK(BM_TrackingFrame);
BENCHMARK(BM_ParkedFrame);
BENCHMARK(BM_Key);
BENCHMARK(BM_FrameFloor);

// Prints the console table as usual and keeps each benchmark's median.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    explicit MedianReporter(OutputOptions options) : ConsoleReporter(options) {}
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

extern "C" void* malloc(size_t size)
{
    ++allocations;
    return __libc_malloc(size);
}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                  : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto frame = reporter.medians.find("BM_TrackingFrame");
    const auto floor = reporter.medians.find("BM_FrameFloor");
    if (frame != reporter.medians.end() && floor != reporter.medians.end())
        std::printf("\ntracking frame / floor (medians): %.3f (goal: at most 1.2)\n", frame->second / floor->second);
    return 0;
}
