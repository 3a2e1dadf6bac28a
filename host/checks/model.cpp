#include "checks/model.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

using contract::Position;

void ModelKey(ModelSettings& s, int32_t code)
{
    switch (code) {
    case 72: s.upMode = 1; break;
    case 73: s.upMode = 1; s.heightOffset = float(double(s.heightOffset) + 0.25); break;
    case 74: s.zoom = 0.0f; break;
    case 75:
        s.zoom = float(double(s.zoom) - 0.01);
        if (s.zoom < -2.0f) s.zoom = -2.0f;
        break;
    case 77: {
        const double left = 1.0 - double(s.zoom);
        s.zoom = float(std::pow(left, 2.0) / 10.0 + double(s.zoom));
        break;
    }
    case 78: s.zoom = 0.999f; break;
    case 80: s.upMode = 0; break;
    case 81: s.upMode = 1; s.heightOffset = float(double(s.heightOffset) - 0.25); break;
    default: break;
    }
}

std::string ModelSixDecimals(double value)
{
    if (std::isnan(value)) return "nan";
    const bool negative = std::signbit(value);
    if (std::isinf(value)) return negative ? "-inf" : "inf";
    // 17 significant digits, correctly rounded: d.dddddddddddddddde±x.
    char scientific[64];
    const auto end = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                   std::chars_format::scientific, 16).ptr;
    std::string text(scientific, end);
    const size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);  // 17 digits
    // Place the point: integer digits, then decimals, padded with zeros.
    std::string integer, fraction;
    if (exponent >= 0) {
        if (digits.size() < size_t(exponent) + 1) digits.append(size_t(exponent) + 1 - digits.size(), '0');
        integer = digits.substr(0, size_t(exponent) + 1);
        fraction = digits.substr(size_t(exponent) + 1);
    } else {
        integer = "0";
        fraction = std::string(size_t(-exponent - 1), '0') + digits;
    }
    fraction.append(7, '0');
    const bool up = fraction[6] >= '5';
    fraction.resize(6);
    std::string number = integer + fraction;
    if (up) {
        size_t i = number.size();
        while (i > 0 && number[i - 1] == '9') number[--i] = '0';
        if (i == 0) number.insert(number.begin(), '1');
        else ++number[i - 1];
    }
    number.insert(number.size() - 6, ".");
    return (negative ? "-" : "") + number;
}

std::string ModelStatusLine(const ModelSettings& s)
{
    return ModelSixDecimals(double(s.zoom)) + " pos:" + (s.upMode == 1 ? "up" : "do");
}

ModelFrame ModelUpdate(const ModelSettings& s, const Position& P, const Position& fetched,
                       double lastHeading,
                       const std::function<double(const Position&, const Position&)>& distance,
                       const std::function<double(const Position&)>& ground)
{
    ModelFrame frame = {};
    Position T = fetched;
    const double dy = T.c[1] - P.c[1];
    const double dx = T.c[0] - P.c[0];
    const double zoom = s.zoom;
    Position C;
    C.c[0] = zoom * dx + P.c[0];
    C.c[1] = zoom * dy + P.c[1];
    frame.parked = std::fabs(dy) >= 650.0 || std::fabs(dx) >= 650.0;
    if (frame.parked) {
        frame.position = {{P.c[0], P.c[1], P.c[2] + 7500.0}};
        frame.orientation = {1.57, lastHeading, 0.0};
        frame.heading = lastHeading;
        return frame;
    }
    if (s.upMode == 1) {
        C.c[2] = double(s.heightOffset) + T.c[2];
    } else {
        const double fromOne = double(s.zoom) - 1.0;
        C.c[2] = 25.0 * (fromOne * fromOne) + zoom * T.c[2];
    }
    frame.position = C;
    frame.heading = std::atan2(dy, dx);
    const double h = frame.heading;
    if ((h > 0.785 && h < 2.35) || (h > -2.35 && h < -0.785)) {
        const double t0 = T.c[0], t1 = T.c[1];
        T.c[0] = (C.c[1] - t1) + C.c[0];
        T.c[1] = (C.c[0] - t0) + C.c[1];
    }
    frame.distanceFrom = C;
    frame.distanceTo = T;
    const float d = float(distance(C, T));
    frame.orientation = {std::atan((C.c[2] - T.c[2]) / double(d)), h, 0.0};
    frame.groundAt = C;
    const float g = float(ground(C));
    if (double(g) > frame.position.c[2]) frame.position.c[2] = double(g) + 5.0;
    return frame;
}
