#include "flight/scripts.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

struct NamedKey {
    const char* name;
    KeyEvent::Kind kind;
    int32_t code;
};
const NamedKey KEY_NAMES[] = {
    {"site-name", KeyEvent::PRESS, 71},       {"up", KeyEvent::PRESS, 72},
    {"raise", KeyEvent::PRESS, 73},           {"to-site", KeyEvent::PRESS, 74},
    {"zoom-out", KeyEvent::PRESS, 75},        {"zoom-in", KeyEvent::PRESS, 77},
    {"next-to-aircraft", KeyEvent::PRESS, 78}, {"down", KeyEvent::PRESS, 80},
    {"lower", KeyEvent::PRESS, 81},           {"other-camera", KeyEvent::OTHER_CAMERA, 0},
    {"this-camera", KeyEvent::THIS_CAMERA, 0},
};

// The words of a line without its comment.
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool ParseNumber(const std::string& word, double& value)
{
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

template <typename Integer>
bool ParseInteger(const std::string& word, Integer& value)
{
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

std::string At(const std::string& file, size_t line)
{
    return file + ":" + std::to_string(line) + ": ";
}

// Calls entry(words, line number) for every line that holds more than a
// comment, until it answers false.
template <typename Entry>
bool ForEachEntry(const std::string& text, Entry entry)
{
    std::istringstream lines(text);
    size_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::vector<std::string> words = Words(line);
        if (!words.empty() && !entry(words, number)) return false;
    }
    return true;
}

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the file";
        return false;
    }
    std::ostringstream contents;
    contents << in.rdbuf();
    text = contents.str();
    return true;
}

bool ParseRoute(const std::string& file, const std::string& text, std::vector<Waypoint>& route,
                std::string& error)
{
    route.clear();
    const bool ok = ForEachEntry(text, [&](const std::vector<std::string>& words, size_t number) {
        if (words.size() != 4) {
            error = At(file, number) + "expected TIME X Y Z, got " + std::to_string(words.size()) + " words";
            return false;
        }
        Waypoint w;
        double* fields[] = {&w.time, &w.position.c[0], &w.position.c[1], &w.position.c[2]};
        const char* names[] = {"a time in seconds", "a number for X", "a number for Y", "a number for Z"};
        for (int i = 0; i < 4; ++i)
            if (!ParseNumber(words[size_t(i)], *fields[i])) {
                error = At(file, number) + "expected " + names[i] + ", got '" + words[size_t(i)] + "'";
                return false;
            }
        if (!route.empty() && !(w.time > route.back().time)) {
            error = At(file, number) + "expected a time after the previous waypoint's, got " + words[0];
            return false;
        }
        route.push_back(w);
        return true;
    });
    if (!ok) return false;
    if (route.empty()) {
        error = file + ": expected at least one waypoint, found none";
        return false;
    }
    return true;
}

bool ParseKeys(const std::string& file, const std::string& text, std::vector<KeyEvent>& keys,
               std::string& error)
{
    keys.clear();
    return ForEachEntry(text, [&](const std::vector<std::string>& words, size_t number) {
        if (words.size() < 2 || words.size() > 3) {
            error = At(file, number) + "expected TIME KEY [COUNT], got " + std::to_string(words.size()) + " words";
            return false;
        }
        KeyEvent event = {0, KeyEvent::PRESS, 0, 1, words[1]};
        if (!ParseNumber(words[0], event.time) || event.time < 0) {
            error = At(file, number) + "expected a time in seconds, got '" + words[0] + "'";
            return false;
        }
        if (!keys.empty() && event.time < keys.back().time) {
            error = At(file, number) + "expected a time not before " + std::to_string(keys.back().time) +
                    ", got " + words[0];
            return false;
        }
        bool named = false;
        for (const NamedKey& k : KEY_NAMES)
            if (words[1] == k.name) event.kind = k.kind, event.code = k.code, named = true;
        if (!named && !ParseInteger(words[1], event.code)) {
            error = At(file, number) + "expected a key code or one of site-name, up, raise, to-site, "
                    "zoom-out, zoom-in, next-to-aircraft, down, lower, other-camera, this-camera; got '" +
                    words[1] + "'";
            return false;
        }
        if (words.size() == 3 && (!ParseInteger(words[2], event.count) || event.count < 1 || event.count > 100000)) {
            error = At(file, number) + "expected a count from 1 to 100000, got '" + words[2] + "'";
            return false;
        }
        keys.push_back(event);
        return true;
    });
}

std::string KeyName(int32_t code)
{
    for (const NamedKey& k : KEY_NAMES)
        if (k.kind == KeyEvent::PRESS && k.code == code) return k.name;
    return std::to_string(code);
}

const char DEFAULT_KEYS[] = R"(# The demo's keys: every command, in both height modes, around Harbour Point.
0.5   site-name            # parked, far out: the name shows
17    zoom-in 3            # tracking: a quarter of the way out to the aircraft
24    raise 60             # up mode, 15 above the aircraft
30    other-camera
31    zoom-in              # ignored: another camera is active
33    this-camera
36    lower 100            # 10 below the aircraft
41    down
43    to-site
45    zoom-out 100         # beyond the site, down onto the hill: lifted
53    next-to-aircraft
58    to-site
60    zoom-out 60
66    up                   # back to the offset kept from before
70    zoom-in 6
80    site-name
95    down                 # parked again, north of the vicinity
108   zoom-in 2
114   site-name
)";
