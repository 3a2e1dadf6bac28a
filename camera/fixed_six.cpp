#include "fixed_six.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int SIGNIFICANT_DIGITS = 17;
constexpr int DECIMALS = 6;
// A double's exact decimal value has at most 309 integer digits and 1074
// decimals. One more integer digit takes the carry of a rounding.
constexpr int INTEGER_DIGITS = 310;
constexpr int FRACTION_DIGITS = 1074;
constexpr int POINT = INTEGER_DIGITS;  // index of the first decimal

// The exact decimal digits of a magnitude, one per byte, with the point
// before digits[POINT]. Only [first, end) can be non-zero.
struct Decimal {
    uint8_t digits[INTEGER_DIGITS + FRACTION_DIGITS];
    int first;
    int end;
};

void Double(Decimal& d)
{
    int carry = 0;
    for (int i = d.end - 1; i >= d.first; --i) {
        const int v = d.digits[i] * 2 + carry;
        d.digits[i] = uint8_t(v % 10);
        carry = v / 10;
    }
    if (carry) d.digits[--d.first] = uint8_t(carry);
}

void Halve(Decimal& d)
{
    int remainder = 0;
    for (int i = d.first; i < d.end; ++i) {
        const int v = remainder * 10 + d.digits[i];
        d.digits[i] = uint8_t(v / 2);
        remainder = v % 2;
    }
    if (remainder) d.digits[d.end++] = 5;
    if (d.digits[d.first] == 0) ++d.first;
}

// Adds one unit at index at, carrying to the left.
void Increment(Decimal& d, int at)
{
    while (d.digits[at] == 9) d.digits[at--] = 0;
    ++d.digits[at];
    if (at < d.first) d.first = at;
}

// Rounds to nearest at index cut (the first digit dropped), ties to even.
void RoundToNearestEven(Decimal& d, int cut)
{
    if (cut >= d.end) return;
    bool up = d.digits[cut] > 5;
    if (d.digits[cut] == 5) {
        bool beyond = false;
        for (int i = cut + 1; i < d.end; ++i) beyond = beyond || d.digits[i] != 0;
        up = beyond || (d.digits[cut - 1] % 2 == 1);
    }
    memset(d.digits + cut, 0, size_t(d.end - cut));
    d.end = cut;
    if (up) Increment(d, cut - 1);
}

// Appends characters while they fit in front of the terminator.
struct BoundedText {
    char* out;
    size_t capacity;
    size_t length;
    void Put(char c)
    {
        if (length + 1 < capacity) out[length++] = c;
    }
    void Put(const char* text)
    {
        while (*text) Put(*text++);
    }
};

}  // namespace

size_t FormatFixedSix(double value, char* out, size_t capacity)
{
    if (capacity == 0) return 0;
    BoundedText text = {out, capacity, 0};

    uint64_t bits;
    memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int biased = int((bits >> 52) & 0x7FF);
    uint64_t mantissa = bits & ((uint64_t(1) << 52) - 1);

    if (biased == 0x7FF && mantissa != 0) {
        text.Put("nan");
    } else {
        if (negative) text.Put('-');
        if (biased == 0x7FF) {
            text.Put("inf");
        } else {
            int exponent = mantissa == 0 ? 0 : -1074;  // zero needs no scaling
            if (biased != 0) {
                mantissa |= uint64_t(1) << 52;
                exponent = biased - 1075;
            }
            // Trailing zero bits only cost halving steps.
            while (mantissa != 0 && (mantissa & 1) == 0 && exponent < 0) {
                mantissa >>= 1;
                ++exponent;
            }

            Decimal d;
            memset(d.digits, 0, sizeof d.digits);
            d.first = d.end = POINT;
            for (; mantissa != 0; mantissa /= 10) d.digits[--d.first] = uint8_t(mantissa % 10);
            for (; exponent > 0; --exponent) Double(d);
            for (; exponent < 0; ++exponent) Halve(d);

            if (d.first < d.end) RoundToNearestEven(d, d.first + SIGNIFICANT_DIGITS);
            const int cut = POINT + DECIMALS;
            if (cut < d.end && d.digits[cut] >= 5) Increment(d, cut - 1);

            if (d.first >= POINT) text.Put('0');
            for (int i = d.first; i < POINT; ++i) text.Put(char('0' + d.digits[i]));
            text.Put('.');
            for (int i = POINT; i < cut; ++i) text.Put(char('0' + d.digits[i]));
        }
    }
    out[text.length] = '\0';
    return text.length;
}
