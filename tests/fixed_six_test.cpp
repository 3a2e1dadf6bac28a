#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "../camera/fixed_six.h"

namespace {

std::string Format(double value)
{
    char buffer[400];
    const size_t length = FormatFixedSix(value, buffer, sizeof buffer);
    EXPECT_EQ(strlen(buffer), length);
    return buffer;
}

TEST(FixedSix, NumberRule)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.4140625, "0.414063"},  // an exact half rounds away from zero ("%f": 0.414062)
        {-0.4140625, "-0.414063"},
        {0.0, "0.000000"},
        {-2.0, "-2.000000"},
        {double(0.1f), "0.100000"},
        {double(-0.01f), "-0.010000"},
        {double(0.999f), "0.999000"},
        {-1.9999984502792358, "-1.999998"},
        {0.99945414066314697, "0.999454"},
        {-1.1000000238418579, "-1.100000"},
        // Below the half, but its 17 significant digits end in ...195000: up.
        {1.95e-05, "0.000020"},
        {2.55e-05, "0.000026"},
        {-0.0, "-0.000000"},
        {-1e-9, "-0.000000"},  // negative, rounds to zero: keeps its sign
        {0.9999995, "1.000000"},  // the carry reaches the integer part
        {-0.9999996, "-1.000000"},
        {123456.0000005, "123456.000001"},
        {1e17, "100000000000000000.000000"},
        {1152921504606846976.0, "1152921504606847000.000000"},  // 2^60: 17 digits, then zeros
        {5e-324, "0.000000"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, Format(c.value)) << c.value;
    const std::string largest = Format(DBL_MAX);
    EXPECT_EQ("17976931348623157", largest.substr(0, 17));
    EXPECT_EQ(309u + 7u, largest.size());
    EXPECT_EQ(std::string(292, '0') + ".000000", largest.substr(17));
}

TEST(FixedSix, NeverWritesPastTheBuffer)
{
    const double values[] = {-1.9999984502792358, DBL_MAX, -DBL_MAX, 5e-324,
                             std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::infinity()};
    for (double value : values) {
        const std::string full = Format(value);
        for (size_t capacity = 0; capacity < 12; ++capacity) {
            char buffer[16];
            memset(buffer, 0x7E, sizeof buffer);
            const size_t length = FormatFixedSix(value, buffer, capacity);
            if (capacity == 0) {
                EXPECT_EQ(0u, length);
            } else {
                EXPECT_EQ(std::min(full.size(), capacity - 1), length);
                EXPECT_EQ(full.substr(0, length), std::string(buffer, length));
                EXPECT_EQ('\0', buffer[length]);
            }
            for (size_t i = capacity; i < 16; ++i)
                ASSERT_EQ(0x7E, buffer[i]) << value << ", capacity " << capacity << ", byte " << i;
        }
    }
}

}  // namespace
