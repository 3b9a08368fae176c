#pragma once

#include <cstdint>

namespace tavo {

// Date-time values are doubles: the integer part counts days since 30 December 1899, the
// fraction is the time of day. A value of 0 or less is empty.
struct DateParts {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;
};

// The date-time of a calendar date and time of day (no range check).
double EncodeDateTime(const DateParts& parts);

// The calendar parts of a point in time; all zeros for an empty value.
DateParts DecodeDateTime(double value);

// The local date and time now, in the platform's time zone.
double NowDateTime();

// Milliseconds of a monotonic clock, wrapping like a 32-bit tick count.
std::uint32_t TickCount();

}  // namespace tavo
