#include "flight/compare.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted && ch == '"' && i + 1 < line.size() && line[i + 1] == '"') cells.back() += '"', ++i;
        else if (ch == '"') quoted = !quoted;
        else if (ch == ',' && !quoted) cells.emplace_back();
        else cells.back() += ch;
    }
    return cells;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool CloseRelative(const std::string& a, const std::string& b)
{
    double x = 0, y = 0;
    if (std::from_chars(a.data(), a.data() + a.size(), x).ec != std::errc() ||
        std::from_chars(b.data(), b.data() + b.size(), y).ec != std::errc())
        return false;
    if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
    return std::fabs(x - y) <= 1e-12 * std::max(std::fabs(x), std::fabs(y));
}

}  // namespace

bool CompareFrames(const std::string& a, const std::string& b, std::string& report)
{
    const std::vector<std::string> left = Lines(a), right = Lines(b);
    if (left.empty() || right.empty() || left[0] != right[0]) {
        report = "the two files have different columns";
        return false;
    }
    const std::vector<std::string> header = Cells(left[0]);
    if (left.size() != right.size()) {
        report = std::to_string(left.size() - 1) + " frames against " + std::to_string(right.size() - 1);
        return false;
    }
    for (size_t i = 1; i < left.size(); ++i) {
        const std::vector<std::string> l = Cells(left[i]), r = Cells(right[i]);
        if (l.size() != header.size() || r.size() != header.size()) {
            report = "line " + std::to_string(i + 1) + ": wrong number of cells";
            return false;
        }
        for (size_t k = 0; k < header.size(); ++k) {
            if (l[k] == r[k]) continue;
            const bool angle = header[k] == "pitch" || header[k] == "heading" || header[k] == "bank";
            if (angle && CloseRelative(l[k], r[k])) continue;
            report = "frame " + l[0] + ", " + header[k] + ": " + l[k] + " against " + r[k];
            return false;
        }
    }
    report = std::to_string(left.size() - 1) + " frames agree";
    return true;
}
