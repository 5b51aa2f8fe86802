#include "platform/Clock.h"

#include "model/UtilGlob.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace ploq {

namespace {

// Days from 1970-01-01 to a civil date, and back (proleptic Gregorian calendar; H. Hinnant,
// "chrono-Compatible Low-Level Date Algorithms").
constexpr long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

// Constant-initialised, so that day counts computed while other files initialise are right too.
constexpr long long kEpochOffset = daysFromCivil(1899, 12, 30); // 1970-01-01 is day -this

} // namespace

DayCount toDayCount(const CivilTime& t)
{
    const long long days = daysFromCivil(t.year, static_cast<unsigned>(t.month),
                                         static_cast<unsigned>(t.day))
                           - kEpochOffset;
    return static_cast<double>(days) + (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
}

CivilTime fromDayCount(DayCount days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        days = 0;
    long long seconds = std::llround(days * 86400.0);
    long long wholeDays = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --wholeDays;
    }
    CivilTime t;
    civilFromDays(wholeDays + kEpochOffset, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::string shortTime(DayCount days)
{
    const CivilTime t = fromDayCount(days);
    return sformat("%02d:%02d", t.hour, t.minute);
}

std::string longTime(DayCount days)
{
    const CivilTime t = fromDayCount(days);
    return sformat("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::string longDate(DayCount days)
{
    static constexpr std::array<const char*, 7> weekdays = {
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static constexpr std::array<const char*, 12> months = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const CivilTime t = fromDayCount(days);
    // 30 December 1899 was a Saturday.
    const long long whole = static_cast<long long>(std::floor(toDayCount({t.year, t.month, t.day})));
    const int weekday = static_cast<int>(((whole + 6) % 7 + 7) % 7);
    return sformat("%s, %s %d, %d", weekdays[static_cast<std::size_t>(weekday)],
                   months[static_cast<std::size_t>(t.month - 1)], t.day, t.year);
}

std::string dateTimeText(DayCount days)
{
    const CivilTime t = fromDayCount(days);
    return sformat("%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                   t.second);
}

DayCount SystemClock::now() const
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return toDayCount({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                       local.tm_min, local.tm_sec});
}

} // namespace ploq
