#include "checks/check_runner.h"

#include <cstdio>
#include <regex>
#include <vector>

#include "checks/check_support.h"
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

std::vector<Check> AllChecks()
{
    std::vector<Check> all;
    for (const auto* group : {&BoundaryChecks(), &FrameChecks(), &KeyChecks()})
        all.insert(all.end(), group->begin(), group->end());
    return all;
}

// Runs one check on a freshly loaded plug-in in this process, prints its
// line and answers whether it passed.
bool RunHere(const Check& check, const CheckOptions& options)
{
    PluginBinary plugin;
    std::string error;
    std::vector<std::string> failures;
    if (!LoadPlugin(options.plugin, plugin, error)) {
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

// Answers "" when the check's process reported (passed tells how), or how
// the process ended otherwise.
std::string RunIsolated(const Check& check, const CheckOptions& options, bool& passed)
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
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return "cannot start its process (error " + std::to_string(GetLastError()) + ")";
    std::string outcome;
    if (WaitForSingleObject(process.hProcess, CHECK_SECONDS * 1000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 3);
        outcome = "timed out after " + std::to_string(CHECK_SECONDS) + " s";
    } else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        if (code == CHECK_PASSED || code == CHECK_FAILED) passed = code == CHECK_PASSED;
        else {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
            outcome = std::string("crashed (exit code ") + hex + ")";
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
#else
    const pid_t child = fork();
    if (child < 0) return "cannot start its process";
    if (child == 0) {
        alarm(CHECK_SECONDS);
        _exit(RunHere(check, options) ? CHECK_PASSED : CHECK_FAILED);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && (WEXITSTATUS(status) == CHECK_PASSED || WEXITSTATUS(status) == CHECK_FAILED)) {
        passed = WEXITSTATUS(status) == CHECK_PASSED;
        return "";
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        return "timed out after " + std::to_string(CHECK_SECONDS) + " s";
    if (WIFSIGNALED(status)) return "crashed (signal " + std::to_string(WTERMSIG(status)) + ")";
    return "crashed (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
#endif
}

}  // namespace

int RunChecks(const CheckOptions& options)
{
    const std::vector<Check> all = AllChecks();
    if (!options.single.empty()) {
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
        return 2;
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
            const std::string outcome = RunIsolated(check, options, passed);
            if (!outcome.empty()) std::printf("FAIL %s: %s\n", check.name, outcome.c_str());
        }
        (passed ? passedCount : failedCount)++;
    }
    if (options.list) return 0;
    std::printf("%d passed, %d failed\n", passedCount, failedCount);
    return failedCount == 0 && passedCount > 0 ? 0 : 1;
}
