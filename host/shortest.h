// A double in its shortest decimal form that reads back to the same bits.
#pragma once
#include <charconv>
#include <string>

inline std::string Shortest(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}
