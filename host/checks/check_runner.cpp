#include "checks/check_runner.h"

#include <cstdio>
#include <regex>
#include <vector>

#include "checks/check_support.h"
#include "sim/crash_report.h"
#include "sim/loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

constexpr int CHECK_SECONDS = 120;  // a check that takes longer has hung
// How a check's process reports: any other ending (a crash, a sanitizer's
// exit, a signal) is reported by the parent, since the child printed nothing.
constexpr int CHECK_PASSED = 0;
constexpr int CHECK_FAILED = 10;
constexpr int NOT_RUN = 2;

std::vector<Check> AllChecks()
{
    std::vector<Check> all;
    for (const auto* group : {&BoundaryChecks(), &FrameChecks(), &KeyChecks()})
        all.insert(all.end(), group->begin(), group->end());
    return all;
}

std::vector<int> StackOffsets()
{
    if (!plugin_call::SKEWS_THE_STACK) return {0};
    return std::vector<int>(std::begin(plugin_call::STACK_OFFSETS), std::end(plugin_call::STACK_OFFSETS));
}

std::string AtOffset(int offset)
{
    return plugin_call::SKEWS_THE_STACK ? "at stack offset " + std::to_string(offset) + ": " : "";
}

// Runs one check in this process, once per stack offset on a freshly loaded
// plug-in each time, until an offset fails; prints its line and answers
// whether it passed.
bool RunHere(const Check& check, const CheckOptions& options)
{
    std::vector<std::string> failures;
    for (int offset : StackOffsets()) {
        plugin_call::SetStackOffset(offset);
        SetCrashContext(("FAIL " + std::string(check.name) + ": " + AtOffset(offset)).c_str());
        PluginBinary plugin;
        std::string error;
        if (LoadPlugin(options.plugin, plugin, error) != LoadResult::LOADED) {
            failures.push_back(error);
        } else {
            {
                CheckContext context(plugin, options.seed);
                check.run(context);
                for (int slot : context.host.unusedSlotsCalled)
                    context.failures.push_back("called service slot " + std::to_string(slot) +
                                               ", which it does not use");
                failures = context.failures;
            }
            UnloadPlugin(plugin);
        }
        if (!failures.empty()) {
            failures[0] = AtOffset(offset) + failures[0];
            break;
        }
    }
    plugin_call::SetStackOffset(0);
    if (failures.empty()) {
        if (!options.onlyFailed) std::printf("PASS %s\n", check.name);
    } else {
        std::string what = failures[0];
        for (size_t i = 1; i < failures.size() && i < 4; ++i) what += "; " + failures[i];
        if (failures.size() > 4) what += "; and " + std::to_string(failures.size() - 4) + " more";
        std::printf("FAIL %s: %s\n", check.name, what.c_str());
    }
    std::fflush(stdout);
    return failures.empty();
}

enum class Outcome { REPORTED, ENDED_OTHERWISE, NOT_STARTED };

// Runs a check in a process of its own. REPORTED: the process printed its
// line (passed tells how); ENDED_OTHERWISE: it crashed or hung, and what
// says how; NOT_STARTED: no process could be started, and what says why.
Outcome RunIsolated(const Check& check, const CheckOptions& options, bool& passed, std::string& what)
{
    std::fflush(stdout);
#if defined(_WIN32)
    std::string command = "\"" + options.self + "\" check \"" + options.plugin + "\" --single " +
                          check.name + " --seed " + std::to_string(options.seed) +
                          (options.onlyFailed ? " --only-failed" : "");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE handle : {startup.hStdOutput, startup.hStdError})
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION process = {};
    // Under Wine a start fails now and then (error 1359) and works when tried
    // again: one more try before the run gives up.
    bool started = false;
    for (int attempt = 0; attempt < 2 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &startup, &process);
        if (!started) what = "cannot start its process (error " + std::to_string(GetLastError()) + ")";
    }
    if (!started) return Outcome::NOT_STARTED;
    Outcome outcome = Outcome::REPORTED;
    if (WaitForSingleObject(process.hProcess, CHECK_SECONDS * 1000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 3);
        outcome = Outcome::ENDED_OTHERWISE;
        what = "timed out after " + std::to_string(CHECK_SECONDS) + " s";
    } else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        if (code == CHECK_PASSED || code == CHECK_FAILED) {
            passed = code == CHECK_PASSED;
        } else {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
            outcome = Outcome::ENDED_OTHERWISE;
            what = std::string("crashed (exit code ") + hex + ")";
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
#else
    pid_t child = fork();
    if (child < 0) child = fork();
    if (child < 0) {
        what = "cannot start its process";
        return Outcome::NOT_STARTED;
    }
    if (child == 0) {
        alarm(CHECK_SECONDS);
        _exit(RunHere(check, options) ? CHECK_PASSED : CHECK_FAILED);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && (WEXITSTATUS(status) == CHECK_PASSED || WEXITSTATUS(status) == CHECK_FAILED)) {
        passed = WEXITSTATUS(status) == CHECK_PASSED;
        return Outcome::REPORTED;
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        what = "timed out after " + std::to_string(CHECK_SECONDS) + " s";
    else if (WIFSIGNALED(status))
        what = "crashed (signal " + std::to_string(WTERMSIG(status)) + ")";
    else
        what = "crashed (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    return Outcome::ENDED_OTHERWISE;
#endif
}

}  // namespace

int RunChecks(CheckOptions options)
{
    const std::vector<Check> all = AllChecks();
    if (!options.single.empty()) {
        ReportCrashes(CrashStream::TO_STDOUT, CHECK_FAILED);
        for (const Check& check : all)
            if (options.single == check.name) return RunHere(check, options) ? CHECK_PASSED : CHECK_FAILED;
        std::printf("FAIL %s: no such check\n", options.single.c_str());
        return CHECK_FAILED;
    }
    std::regex filter;
    try {
        filter = std::regex(options.filter);
    } catch (const std::regex_error&) {
        std::fprintf(stderr, "lumvet-host: --filter: not a regular expression: %s\n", options.filter.c_str());
        return NOT_RUN;
    }
    if (!options.list) {
        // Every check loads the very module loaded here, by its full path.
        PluginBinary plugin;
        std::string error;
        if (LoadPlugin(options.plugin, plugin, error) != LoadResult::LOADED) {
            std::fprintf(stderr, "lumvet-host: %s\n", error.c_str());
            return NOT_RUN;
        }
        std::printf("loaded %s\n", Described(plugin).c_str());
        if (plugin_call::SKEWS_THE_STACK)
            std::printf("each check runs at stack offsets 0, 4, 8 and 12, on a freshly loaded plug-in each time\n");
        options.plugin = plugin.path;
        UnloadPlugin(plugin);
    }
    int passedCount = 0, failedCount = 0;
    for (const Check& check : all) {
        if (!std::regex_search(check.name, filter)) continue;
        if (options.list) {
            std::printf("%s\n", check.name);
            continue;
        }
        bool passed = false;
        if (options.inProcess) {
            passed = RunHere(check, options);
        } else {
            std::string what;
            const Outcome outcome = RunIsolated(check, options, passed, what);
            if (outcome == Outcome::NOT_STARTED) {
                std::printf("NOT RUN %s: %s\n", check.name, what.c_str());
                std::printf("%d passed, %d failed; stopped: a check could not be run\n", passedCount,
                            failedCount);
                return NOT_RUN;
            }
            if (outcome == Outcome::ENDED_OTHERWISE) std::printf("FAIL %s: %s\n", check.name, what.c_str());
        }
        (passed ? passedCount : failedCount)++;
    }
    if (options.list) return 0;
    std::printf("%d passed, %d failed\n", passedCount, failedCount);
    return failedCount == 0 && passedCount > 0 ? 0 : 1;
}
