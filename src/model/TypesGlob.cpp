#include "model/TypesGlob.h"

#include <cctype>
#include <climits>

namespace ploq {

bool TestBit(std::int32_t word, int n)
{
    if (n < 0 || n > 23)
        return false;
    return (word >> n & 1) != 0;
}

void SetBit(std::int32_t& word, int n, bool flag)
{
    if (n < 0 || n > 23)
        return;
    if (flag)
        word |= 1 << n;
    else
        word &= ~(1 << n);
}

bool IsPlane(char firstLetter)
{
    switch (firstLetter) {
    case 'F': case 'f': case 'P': case 'p': case 'S': case 's': return true;
    default: return false;
    }
}

bool IsNatureLetter(char firstLetter)
{
    switch (firstLetter) {
    case 'A': case 'a': case 'B': case 'b': case 'L': case 'l': return true;
    default: return IsPlane(firstLetter);
    }
}

NatureCheck CheckNature(std::string_view code)
{
    if (code.empty())
        return {false, '\0', std::string(kMsgMissingNature)};
    if (!IsNatureLetter(code.front()))
        return {false, '\0', std::string(kMsgBadNature)};
    return {true, code.front(), {}};
}

bool MatchCode(std::string_view pattern, std::string_view code)
{
    pattern = pattern.substr(0, kCodeLength);
    code = code.substr(0, kCodeLength);
    std::string padded(code);
    padded.resize(kCodeLength, ' ');

    std::size_t compared = pattern.size();
    if (!pattern.empty() && pattern.back() == '/') {
        compared = pattern.size() - 1;
        if (padded[compared] != ' ')
            return false;
    }
    for (std::size_t i = 0; i < compared; ++i)
        if (pattern[i] != '*' && pattern[i] != padded[i])
            return false;
    return true;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The integer of a run of digits, saturated so that no digit string overflows.
long long digitsValue(std::string_view digits)
{
    long long value = 0;
    for (char c : digits) {
        if (!isDigit(c))
            continue;
        value = std::min<long long>(value * 10 + (c - '0'), LLONG_MAX / 20);
    }
    return value;
}

} // namespace

bool MatchNumber(std::string_view pattern, std::string_view code)
{
    std::string digits;
    for (char c : code)
        if (isDigit(c))
            digits += c;
    std::string kept;
    for (char c : pattern)
        if (isDigit(c) || c == '-' || c == '<' || c == '=' || c == '>')
            kept += c;
    if (digits.empty() || pattern.empty())
        return false;
    const long long number = digitsValue(digits);

    if (!kept.empty() && isDigit(kept.front()) && kept.find('-') != std::string::npos) {
        const std::size_t dash = kept.find('-');
        const long long a = digitsValue(std::string_view(kept).substr(0, dash));
        const long long b = digitsValue(std::string_view(kept).substr(dash + 1));
        return std::min(a, b) <= number && number <= std::max(a, b);
    }
    std::size_t opEnd = 0;
    while (opEnd < kept.size() && !isDigit(kept[opEnd]))
        ++opEnd;
    const std::string op = kept.substr(0, opEnd);
    std::size_t valueEnd = opEnd;
    while (valueEnd < kept.size() && isDigit(kept[valueEnd]))
        ++valueEnd;
    const long long value = digitsValue(std::string_view(kept).substr(opEnd, valueEnd - opEnd));
    if (op.empty() || op == "=")
        return number == value;
    if (op == ">")
        return number > value;
    if (op == ">=")
        return number >= value;
    if (op == "<")
        return number < value;
    if (op == "<=")
        return number <= value;
    return false;
}

TagKind KindOfTag(int tag)
{
    if (tag == kTagMain)
        return TagKind::Main;
    if (tag >= 1 && tag <= kMaxWindows)
        return TagKind::Sheet;
    if (tag >= 256 && tag <= 4095)
        return TagKind::Canvas;
    if (tag >= 4096 && tag <= 8191)
        return TagKind::Text;
    if (tag >= 12304)
        return TagKind::Dialog;
    return TagKind::Other;
}

std::optional<int> SlotTable::take()
{
    for (int slot = 1; slot <= kMaxWindows; ++slot)
        if (!used_[slot]) {
            used_[slot] = true;
            return slot;
        }
    return std::nullopt;
}

void SlotTable::release(int slot)
{
    if (slot >= 1 && slot <= kMaxWindows)
        used_[slot] = false;
}

int SlotTable::count() const
{
    return static_cast<int>(std::count(used_.begin() + 1, used_.end(), true));
}

} // namespace ploq
