#include "model/UtilGlob.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ploq {

int RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    double rounded = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    return static_cast<int>(rounded);
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "0";
    return std::string(buffer, result.ptr);
}

std::string FormatInt(double value) { return std::to_string(RoundHalfEven(value)); }

std::string sformat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(args);
    return text;
}

std::string WithoutExtension(std::string_view name)
{
    const std::size_t slash = name.find_last_of("/\\");
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)
        || dot == (slash == std::string_view::npos ? 0 : slash + 1))
        return std::string(name);
    return std::string(name.substr(0, dot));
}

std::string WithoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (c != ' ')
            kept += c;
    return kept;
}

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return UpperAscii(a) == UpperAscii(b); }

} // namespace ploq
