// lumvet-host: a simulated host that loads a plug-in binary, checks it
// against the contract, flies it and draws what its camera did.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "checks/check_runner.h"
#include "flight/compare.h"
#include "flight/flight.h"
#include "flight/plot.h"
#include "flight/replay.h"
#include "flight/scripts.h"
#include "sim/crash_report.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

const char USAGE[] =
    "usage:\n"
    "  lumvet-host check PLUGIN [--list] [--filter REGEX] [--only-failed] [--in-process] [--seed N]\n"
    "  lumvet-host fly PLUGIN [--route FILE] [--keys FILE] [--out DIR] [--stack-skew 0|4|8|12]\n"
    "  lumvet-host compare FRAMES.csv FRAMES.csv\n";

int Usage(const std::string& problem)
{
    std::fprintf(stderr, "lumvet-host: %s\n%s", problem.c_str(), USAGE);
    return 2;
}

std::string SelfPath(const char* argv0)
{
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length > 0 && length < sizeof path) return std::string(path, length);
#endif
    return argv0;
}

// Writes every file to a temporary name first, then renames them all, so a
// failure leaves no file written or half written.
bool WriteAll(const std::vector<std::pair<std::filesystem::path, std::string>>& files, std::string& error)
{
    std::vector<std::filesystem::path> written;
    for (const auto& [path, contents] : files) {
        const std::filesystem::path temporary = path.string() + ".partial";
        std::ofstream out(temporary, std::ios::binary);
        out << contents;
        out.close();
        if (!out) {
            error = "cannot write " + path.string();
            for (const auto& p : written) std::filesystem::remove(p);
            std::filesystem::remove(temporary);
            return false;
        }
        written.push_back(temporary);
    }
    for (size_t i = 0; i < files.size(); ++i) std::filesystem::rename(written[i], files[i].first);
    return true;
}

int Check(const std::vector<std::string>& args, const char* argv0)
{
    CheckOptions options;
    options.self = SelfPath(argv0);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--list") options.list = true;
        else if (a == "--only-failed") options.onlyFailed = true;
        else if (a == "--in-process") options.inProcess = true;
        else if (a == "--filter" && hasValue) options.filter = args[++i];
        else if (a == "--single" && hasValue) options.single = args[++i];
        else if (a == "--self" && hasValue) options.self = args[++i];
        else if (a == "--seed" && hasValue) options.seed = uint32_t(std::strtoul(args[++i].c_str(), nullptr, 10));
        else if (a.rfind("--", 0) == 0) return Usage("check: unknown option " + a);
        else if (options.plugin.empty()) options.plugin = a;
        else return Usage("check: one plug-in at a time");
    }
    if (options.plugin.empty() && !options.list) return Usage("check: which plug-in?");
    return RunChecks(options);
}

int Fly(const std::vector<std::string>& args)
{
    std::string plugin, routeFile, keysFile, out = "build/demo", skew;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--route" && hasValue) routeFile = args[++i];
        else if (args[i] == "--stack-skew" && hasValue) skew = args[++i];
        else if (args[i] == "--keys" && hasValue) keysFile = args[++i];
        else if (args[i] == "--out" && hasValue) out = args[++i];
        else if (args[i].rfind("--", 0) == 0) return Usage("fly: unknown option " + args[i]);
        else if (plugin.empty()) plugin = args[i];
        else return Usage("fly: one plug-in at a time");
    }
    if (plugin.empty()) return Usage("fly: which plug-in?");
    if (!skew.empty()) {
        if (!plugin_call::SKEWS_THE_STACK)
            return Usage("fly: --stack-skew: only the 32-bit Windows build of lumvet-host calls at other stack offsets");
        if (skew != "0" && skew != "4" && skew != "8" && skew != "12")
            return Usage("fly: --stack-skew: expected 0, 4, 8 or 12, got '" + skew + "'");
        plugin_call::SetStackOffset(std::stoi(skew));
    }

    World world = DefaultWorld();
    std::vector<KeyEvent> keys;
    std::string text, error;
    if (!routeFile.empty() && !(ReadTextFile(routeFile, text, error) && ParseRoute(routeFile, text, world.route, error))) {
        std::fprintf(stderr, "lumvet-host: %s\n", error.c_str());
        return 2;
    }
    const bool keysOk = keysFile.empty() ? ParseKeys("(default keys)", DEFAULT_KEYS, keys, error)
                                         : ReadTextFile(keysFile, text, error) && ParseKeys(keysFile, text, keys, error);
    if (!keysOk) {
        std::fprintf(stderr, "lumvet-host: %s\n", error.c_str());
        return 2;
    }
    PluginBinary binary;
    if (LoadPlugin(plugin, binary, error) != LoadResult::LOADED) {
        std::fprintf(stderr, "lumvet-host: %s\n", error.c_str());
        return 2;
    }
    std::printf("loaded %s\n", Described(binary).c_str());
    if (plugin_call::SKEWS_THE_STACK) std::printf("stack offset %d\n", plugin_call::StackOffset());
    ReportCrashes(CrashStream::TO_STDERR, 1);
    const Flight flight = Fly(binary, world, keys);
    UnloadPlugin(binary);

    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    const std::filesystem::path dir(out);
    std::vector<std::pair<std::filesystem::path, std::string>> files = {
        {dir / "frames.csv", FramesCsv(flight)}, {dir / "flight.svg", FlightSvg(flight, world)}};
    std::string page, whyNoPage;
    if (ReplayHtml(flight, world, page, whyNoPage)) files.push_back({dir / "replay.html", std::move(page)});
    if (!WriteAll(files, error)) {
        std::fprintf(stderr, "lumvet-host: %s\n", error.c_str());
        return 1;
    }
    if (!whyNoPage.empty()) std::printf("%s\n", whyNoPage.c_str());
    const FlightSummary s = Summarize(flight);
    std::printf("frames %zu\nparked %zu\nlifts %zu\ntexts %zu\nkeys %zu (%zu ignored)\n", s.frames, s.parked,
                s.lifts, s.texts, s.keys, s.ignoredKeys);
    return 0;
}

int Compare(const std::vector<std::string>& args)
{
    if (args.size() != 2) return Usage("compare: two files");
    std::string a, b, error, report;
    if (!ReadTextFile(args[0], a, error) || !ReadTextFile(args[1], b, error)) {
        std::fprintf(stderr, "lumvet-host: %s\n", error.c_str());
        return 2;
    }
    const bool same = CompareFrames(a, b, report);
    std::printf("%s\n", report.c_str());
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return Usage("which command?");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "check") return Check(args, argv[0]);
    if (command == "fly") return Fly(args);
    if (command == "compare") return Compare(args);
    return Usage("unknown command " + command);
}
