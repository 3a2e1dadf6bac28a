#include "flight/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace {

constexpr double WIDTH = 1000, PLAN_TOP = 80, PLAN_HEIGHT = 600, PROFILE_TOP = 790,
                 PROFILE_HEIGHT = 300, LEFT = 80, RIGHT = 740, HEIGHT = 1250;
constexpr double SIGHT_LINE_SECONDS = 4.0;
const char* const AIRCRAFT = "#1f5fbf";
const char* const CAMERA = "#e07b00";
const char* const GROUND = "#7a5230";
const char* const PARKED = "#c62828";
const char* const LIFT = "#2e7d32";

// Coordinates on the page.
std::string F(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// Numbers in labels.
std::string G(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string Escape(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        if (ch == '&') out += "&amp;";
        else if (ch == '<') out += "&lt;";
        else if (ch == '>') out += "&gt;";
        else if (ch == '"') out += "&quot;";
        else if (static_cast<unsigned char>(ch) < 32 || static_cast<unsigned char>(ch) > 126) out += '?';
        else out += ch;
    }
    return out;
}

// A linear map from data to the page.
struct Axis {
    double lo, hi, from, to;
    double operator()(double v) const { return from + (v - lo) / (hi - lo) * (to - from); }
};

double NiceStep(double span, int ticks)
{
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

std::string Text(double x, double y, const std::string& text, const std::string& extra = "")
{
    return "<text x=\"" + F(x) + "\" y=\"" + F(y) + "\" " + extra + ">" + Escape(text) + "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& style)
{
    return "<line x1=\"" + F(x1) + "\" y1=\"" + F(y1) + "\" x2=\"" + F(x2) + "\" y2=\"" + F(y2) +
           "\" " + style + "/>\n";
}

// Polylines over the points that pass the filter, broken where it fails.
template <typename Point, typename Keep>
std::string Polylines(const std::vector<FrameRow>& rows, Point point, Keep keep, const std::string& style)
{
    std::string svg, points;
    auto flush = [&] {
        if (!points.empty()) svg += "<polyline fill=\"none\" " + style + " points=\"" + points + "\"/>\n";
        points.clear();
    };
    for (const FrameRow& row : rows) {
        if (!keep(row)) {
            flush();
            continue;
        }
        const auto p = point(row);
        if (std::isfinite(p.first) && std::isfinite(p.second)) points += F(p.first) + "," + F(p.second) + " ";
    }
    flush();
    return svg;
}

std::string Ticks(const Axis& axis, bool horizontal, double at, double across)
{
    std::string svg;
    const double step = NiceStep(axis.hi - axis.lo, 8);
    for (double v = std::ceil(axis.lo / step) * step; v <= axis.hi + 1e-9; v += step) {
        const double p = axis(v);
        const std::string label = G(std::fabs(v) < step / 1000 ? 0.0 : v);
        if (horizontal) {
            svg += Line(p, at, p, at - across, "stroke=\"#e4e4e4\"");
            svg += Text(p, at + 16, label, "text-anchor=\"middle\"");
        } else {
            svg += Line(at, p, at + across, p, "stroke=\"#e4e4e4\"");
            svg += Text(at - 6, p + 4, label, "text-anchor=\"end\"");
        }
    }
    return svg;
}

struct LegendEntry {
    std::string label, color, kind;
};

std::string Legend(double x, double y, const std::vector<LegendEntry>& entries)
{
    std::string svg = "<rect x=\"" + F(x) + "\" y=\"" + F(y) + "\" width=\"240\" height=\"" +
                      F(entries.size() * 20.0 + 10) + "\" fill=\"white\" stroke=\"#999\"/>\n";
    for (size_t i = 0; i < entries.size(); ++i) {
        const double ly = y + 18 + i * 20.0;
        const LegendEntry& e = entries[i];
        if (e.kind == "line") svg += Line(x + 8, ly - 4, x + 36, ly - 4, "stroke=\"" + e.color + "\" stroke-width=\"2\"");
        else if (e.kind == "thin") svg += Line(x + 8, ly - 4, x + 36, ly - 4, "stroke=\"" + e.color + "\" stroke-width=\"0.7\"");
        else if (e.kind == "dash") svg += Line(x + 8, ly - 4, x + 36, ly - 4, "stroke=\"" + e.color + "\" stroke-dasharray=\"5,3\"");
        else if (e.kind == "band") svg += "<rect x=\"" + F(x + 8) + "\" y=\"" + F(ly - 11) + "\" width=\"28\" height=\"12\" fill=\"" + e.color + "\" fill-opacity=\"0.15\"/>\n";
        else svg += "<circle cx=\"" + F(x + 22) + "\" cy=\"" + F(ly - 4) + "\" r=\"4\" fill=\"" + e.color + "\"/>\n";
        svg += Text(x + 44, ly, e.label);
    }
    return svg;
}

std::string PlanView(const Flight& flight, const World& world)
{
    const std::vector<FrameRow>& rows = flight.rows;
    std::set<std::string> used;
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    auto include = [&](double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    };
    for (const FrameRow& r : rows) {
        include(r.aircraft.c[0], r.aircraft.c[1]);
        if (!r.parked) include(r.camera.c[0], r.camera.c[1]);
        used.insert(r.siteName);
    }
    for (const Site& s : world.sites)
        if (used.count(s.name)) include(s.position.c[0] - 650, s.position.c[1] - 650), include(s.position.c[0] + 650, s.position.c[1] + 650);
    const double margin = 0.05 * std::max(x1 - x0, y1 - y0);
    x0 -= margin, x1 += margin, y0 -= margin, y1 += margin;
    // One scale for both axes, so the square stays square.
    const double scale = std::min((RIGHT - LEFT) / (x1 - x0), PLAN_HEIGHT / (y1 - y0));
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double halfW = (RIGHT - LEFT) / scale / 2, halfH = PLAN_HEIGHT / scale / 2;
    const Axis X{cx - halfW, cx + halfW, LEFT, RIGHT};
    const Axis Y{cy - halfH, cy + halfH, PLAN_TOP + PLAN_HEIGHT, PLAN_TOP};

    std::string svg = Text(LEFT, PLAN_TOP - 12, "Plan view: component 0 across, component 1 up (host units)",
                           "font-size=\"16\" font-weight=\"bold\"");
    svg += "<rect x=\"" + F(LEFT) + "\" y=\"" + F(PLAN_TOP) + "\" width=\"" + F(RIGHT - LEFT) +
           "\" height=\"" + F(PLAN_HEIGHT) + "\" fill=\"none\" stroke=\"#444\"/>\n";
    svg += Ticks(X, true, PLAN_TOP + PLAN_HEIGHT, PLAN_HEIGHT);
    svg += Ticks(Y, false, LEFT, RIGHT - LEFT);
    for (const Hill& h : world.hills) {
        if (h.x < X.lo || h.x > X.hi || h.y < Y.lo || h.y > Y.hi) continue;
        svg += "<circle cx=\"" + F(X(h.x)) + "\" cy=\"" + F(Y(h.y)) + "\" r=\"" + F(h.radius * scale) +
               "\" fill=\"" + GROUND + "\" fill-opacity=\"0.12\"/>\n";
        svg += Text(X(h.x), Y(h.y) + 4, "hill " + G(h.peak), "text-anchor=\"middle\" font-size=\"11\" fill=\"" + std::string(GROUND) + "\"");
    }
    for (const Site& s : world.sites) {
        const double sx = X(s.position.c[0]), sy = Y(s.position.c[1]);
        if (used.count(s.name))
            svg += "<rect x=\"" + F(X(s.position.c[0] - 650)) + "\" y=\"" + F(Y(s.position.c[1] + 650)) +
                   "\" width=\"" + F(1300 * scale) + "\" height=\"" + F(1300 * scale) +
                   "\" fill=\"none\" stroke=\"#555\" stroke-dasharray=\"6,4\"/>\n";
        if (sx < LEFT || sx > RIGHT || sy < PLAN_TOP || sy > PLAN_TOP + PLAN_HEIGHT) continue;
        svg += "<circle cx=\"" + F(sx) + "\" cy=\"" + F(sy) + "\" r=\"5\" fill=\"black\"/>\n";
        svg += Text(sx + 8, sy - 8, s.name, "font-size=\"13\"");
    }
    const auto aircraftXY = [&](const FrameRow& r) { return std::make_pair(X(r.aircraft.c[0]), Y(r.aircraft.c[1])); };
    const auto cameraXY = [&](const FrameRow& r) { return std::make_pair(X(r.camera.c[0]), Y(r.camera.c[1])); };
    const int every = int(std::lround(SIGHT_LINE_SECONDS / FRAME_STEP));
    for (const FrameRow& r : rows)
        if (!r.parked && r.frame % every == 0)
            svg += Line(cameraXY(r).first, cameraXY(r).second, aircraftXY(r).first, aircraftXY(r).second,
                        "stroke=\"#888\" stroke-width=\"0.7\"");
    svg += Polylines(rows, aircraftXY, [](const FrameRow&) { return true; },
                     "stroke=\"" + std::string(AIRCRAFT) + "\" stroke-width=\"2\"");
    svg += Polylines(rows, cameraXY, [](const FrameRow& r) { return !r.parked; },
                     "stroke=\"" + std::string(CAMERA) + "\" stroke-width=\"2\"");
    for (const FrameRow& r : rows) {
        if (r.parked && r.frame % 5 == 0)
            svg += "<circle cx=\"" + F(aircraftXY(r).first) + "\" cy=\"" + F(aircraftXY(r).second) +
                   "\" r=\"2.5\" fill=\"" + PARKED + "\"/>\n";
        if (r.lifted && r.frame % 2 == 0)
            svg += "<circle cx=\"" + F(cameraXY(r).first) + "\" cy=\"" + F(cameraXY(r).second) +
                   "\" r=\"2.5\" fill=\"" + LIFT + "\"/>\n";
    }
    svg += Text((LEFT + RIGHT) / 2, PLAN_TOP + PLAN_HEIGHT + 36, "component 0 (units)", "text-anchor=\"middle\"");
    svg += Text(24, PLAN_TOP + PLAN_HEIGHT / 2, "component 1 (units)",
                "text-anchor=\"middle\" transform=\"rotate(-90 24 " + F(PLAN_TOP + PLAN_HEIGHT / 2) + ")\"");
    svg += Legend(RIGHT + 14, PLAN_TOP, {
        {"aircraft track", AIRCRAFT, "line"},
        {"camera track (tracking)", CAMERA, "line"},
        {"sight line every " + G(SIGHT_LINE_SECONDS) + " s", "#888", "thin"},
        {"aircraft while parked", PARKED, "dot"},
        {"camera lifted by ground", LIFT, "dot"},
        {"650 units around site in use", "#555", "dash"},
        {"site", "black", "dot"},
        {"hill", GROUND, "band"},
    });
    return svg;
}

std::string Profile(const Flight& flight)
{
    const std::vector<FrameRow>& rows = flight.rows;
    double z0 = 1e300, z1 = -1e300;
    for (const FrameRow& r : rows) {
        for (double z : {r.aircraft.c[2], r.groundUnderCamera, r.parked ? r.aircraft.c[2] : r.camera.c[2]})
            if (std::isfinite(z)) z0 = std::min(z0, z), z1 = std::max(z1, z);
    }
    const double pad = 0.08 * (z1 - z0 + 1);
    const Axis T{rows.front().time, rows.back().time, LEFT, RIGHT};
    const Axis Z{z0 - pad, z1 + pad, PROFILE_TOP + PROFILE_HEIGHT, PROFILE_TOP};
    const double bottom = PROFILE_TOP + PROFILE_HEIGHT;

    std::string svg = Text(LEFT, PROFILE_TOP - 40, "Profile: altitude over time (units, s)",
                           "font-size=\"16\" font-weight=\"bold\"");
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].parked || (i > 0 && rows[i - 1].parked)) continue;
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1].parked) ++j;
        svg += "<rect x=\"" + F(T(rows[i].time)) + "\" y=\"" + F(PROFILE_TOP) + "\" width=\"" +
               F(std::max(1.0, T(rows[j].time) - T(rows[i].time))) + "\" height=\"" + F(PROFILE_HEIGHT) +
               "\" fill=\"" + PARKED + "\" fill-opacity=\"0.10\"/>\n";
        svg += Text(T(rows[i].time) + 4, PROFILE_TOP + 14, "parked: 7500 above " + rows[i].siteName,
                    "font-size=\"11\" fill=\"" + std::string(PARKED) + "\"");
    }
    svg += "<rect x=\"" + F(LEFT) + "\" y=\"" + F(PROFILE_TOP) + "\" width=\"" + F(RIGHT - LEFT) +
           "\" height=\"" + F(PROFILE_HEIGHT) + "\" fill=\"none\" stroke=\"#444\"/>\n";
    svg += Ticks(T, true, bottom, PROFILE_HEIGHT);
    svg += Ticks(Z, false, LEFT, RIGHT - LEFT);
    svg += Polylines(rows, [&](const FrameRow& r) { return std::make_pair(T(r.time), Z(r.groundUnderCamera)); },
                     [](const FrameRow& r) { return !r.parked; }, "stroke=\"" + std::string(GROUND) + "\" stroke-width=\"1.5\"");
    svg += Polylines(rows, [&](const FrameRow& r) { return std::make_pair(T(r.time), Z(r.aircraft.c[2])); },
                     [](const FrameRow&) { return true; }, "stroke=\"" + std::string(AIRCRAFT) + "\" stroke-width=\"2\"");
    svg += Polylines(rows, [&](const FrameRow& r) { return std::make_pair(T(r.time), Z(r.camera.c[2])); },
                     [](const FrameRow& r) { return !r.parked; }, "stroke=\"" + std::string(CAMERA) + "\" stroke-width=\"2\"");
    for (const FrameRow& r : rows)
        if (r.lifted && r.frame % 2 == 0)
            svg += "<circle cx=\"" + F(T(r.time)) + "\" cy=\"" + F(Z(r.camera.c[2])) + "\" r=\"2.5\" fill=\"" + LIFT + "\"/>\n";

    // Keys below the axis, each label in the first row where it does not
    // run into the one before; texts above the plot.
    constexpr int KEY_ROWS = 7;
    double rowEnd[KEY_ROWS] = {-1e9, -1e9, -1e9, -1e9, -1e9, -1e9, -1e9};
    for (const KeyMark& key : flight.keys) {
        const double x = T(key.time);
        const std::string label = key.label + (key.ignored ? " (ignored)" : "");
        int row = 0;
        while (row + 1 < KEY_ROWS && rowEnd[row] > x) ++row;
        rowEnd[row] = x + 6.2 * double(label.size()) + 6;
        svg += Line(x, bottom, x, bottom - 10, "stroke=\"black\" stroke-width=\"1.5\"");
        svg += Line(x, bottom, x, bottom + 22 + 13 * row, "stroke=\"#bbb\" stroke-width=\"0.5\"");
        svg += Text(x + 2, bottom + 34 + 13 * row, label,
                    "font-size=\"11\"" + std::string(key.ignored ? " fill=\"#999\"" : ""));
    }
    double lastTextX = -100;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (const ShownText& t : rows[i].texts) {
            if (t.duration != 10) continue;
            const bool startOfRun = i == 0 || rows[i - 1].texts.empty() || !rows[i].parked || !rows[i - 1].parked;
            if (!startOfRun) continue;
            const double x = T(rows[i].time);
            svg += "<path d=\"M" + F(x) + "," + F(PROFILE_TOP - 4) + " l4,-6 l-4,-6 l-4,6 z\" fill=\"#6a1b9a\"/>\n";
            if (x - lastTextX > 90) svg += Text(x + 6, PROFILE_TOP - 10, "\"" + t.text + "\"", "font-size=\"11\" fill=\"#6a1b9a\"");
            lastTextX = x;
        }
    }
    svg += Text((LEFT + RIGHT) / 2, bottom + 136, "time (s); ticks below the axis: keys pressed", "text-anchor=\"middle\"");
    svg += Text(24, PROFILE_TOP + PROFILE_HEIGHT / 2, "altitude (units)",
                "text-anchor=\"middle\" transform=\"rotate(-90 24 " + F(PROFILE_TOP + PROFILE_HEIGHT / 2) + ")\"");
    svg += Legend(RIGHT + 14, PROFILE_TOP, {
        {"aircraft altitude", AIRCRAFT, "line"},
        {"camera altitude (tracking)", CAMERA, "line"},
        {"ground under the camera", GROUND, "line"},
        {"camera lifted by ground", LIFT, "dot"},
        {"parked frames", PARKED, "band"},
        {"site name shown (duration 10)", "#6a1b9a", "dot"},
    });
    return svg;
}

}  // namespace

std::string FlightSvg(const Flight& flight, const World& world)
{
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + F(WIDTH) + "\" height=\"" +
                      F(HEIGHT) + "\" viewBox=\"0 0 " + F(WIDTH) + " " + F(HEIGHT) +
                      "\" font-family=\"sans-serif\" font-size=\"12\">\n"
                      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += Text(LEFT, 24, flight.displayName + ": " + std::to_string(flight.rows.size()) + " frames of " +
                              G(FRAME_STEP) + " s",
                "font-size=\"18\" font-weight=\"bold\"");
    if (!flight.rows.empty()) svg += PlanView(flight, world) + Profile(flight);
    return svg + "</svg>\n";
}
