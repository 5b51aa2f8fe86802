#pragma once

// Number and text helpers every subsystem uses. Numbers are written the same way whatever the
// user's locale: a dot for the decimal separator, halves rounded to the even neighbour.

#include <algorithm>
#include <cstdarg>
#include <string>
#include <string_view>

namespace ploq {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4); values
// beyond the int range, and NaN, are clamped (NaN gives 0).
int RoundHalfEven(double value);

// "%1.<decimals>f" of the value, always with a dot: FormatFixed(57.25, 1) is "57.2".
std::string FormatFixed(double value, int decimals);

// The value as an integer text, rounded halves to even.
std::string FormatInt(double value);

// printf into a std::string. For integers and texts: reals go through FormatFixed, which does
// not depend on the C locale.
std::string sformat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A file name without its final extension: "site.2024.plq" gives "site.2024"; a dot in a
// folder name is not an extension.
std::string WithoutExtension(std::string_view name);

// ASCII case helpers on Windows-1252 text (accented letters are left as they are).
std::string UpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// The text with its blanks taken out, as typed values are read.
std::string WithoutBlanks(std::string_view text);

// The element at `from` goes to `to`, those between shifting by one towards `from`, as a
// dragged row or column does.
template <typename Iterator> void MoveElement(Iterator begin, int from, int to)
{
    const Iterator first = begin + std::min(from, to);
    const Iterator last = begin + std::max(from, to) + 1;
    if (from < to)
        std::rotate(first, first + 1, last);
    else
        std::rotate(first, last - 1, last);
}

} // namespace ploq
