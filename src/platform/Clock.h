#pragma once

// Time as Ploq stores it: a day count with fraction since 30 December 1899, 00:00 (the
// convention of the data sheet files). A clock interface lets tests fix "now".

#include <string>

namespace ploq {

using DayCount = double;

struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

DayCount toDayCount(const CivilTime& t);
// Rounded to the nearest second.
CivilTime fromDayCount(DayCount days);

// "14:05" (hours and minutes, as the headings of results use).
std::string shortTime(DayCount days);
// "14:05:00" (hours, minutes and seconds).
std::string longTime(DayCount days);
// "Wednesday, December 9, 2026".
std::string longDate(DayCount days);
// "09/12/2026 14:05:00", day first.
std::string dateTimeText(DayCount days);

class Clock {
public:
    virtual ~Clock() = default;
    virtual DayCount now() const = 0;
};

// The computer's local time.
class SystemClock : public Clock {
public:
    DayCount now() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(DayCount at) : at_(at) {}
    DayCount now() const override { return at_; }
    void set(DayCount at) { at_ = at; }

private:
    DayCount at_;
};

} // namespace ploq
