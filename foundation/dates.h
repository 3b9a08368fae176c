#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

// The rest of dates, times and version numbers: the precise wait and the version texts.
#include "foundation/version_text.h"
#include "foundation/wait.h"

namespace tavo {

// Date-time values are doubles: the integer part counts days since 30 December 1899, the
// fraction is the time of day. A value of 0 or less is empty; a value below 10,000 (a
// date before 18 May 1927) is a duration.
struct DateParts {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;
};

inline constexpr double kDurationLimit = 10000.0;

// The date-time of a calendar date and time of day (no range check).
double EncodeDateTime(const DateParts& parts);

// The parts of a value: all zeros for an empty value; for a duration the difference between
// 1 January 2000 + value and 1 January 2000 (40 days: month 1, day 9); else the calendar
// date and time.
DateParts DecodeDateTime(double value);

// The calendar date and time of a value, also below the duration limit; all zeros for an
// empty value.
DateParts DecodeCalendar(double value);

// The local date and time now, in the platform's time zone.
double NowDateTime();

// The local date-time of a point in time given in seconds since 1970 and milliseconds.
double LocalDateTimeOf(std::time_t seconds, int milliseconds);

// Milliseconds of a monotonic clock, wrapping like a 32-bit tick count.
std::uint32_t TickCount();

// The day number of a calendar date; 29 February of a common year becomes 28 February.
// An invalid date is logged ("exception encodedate2: ymd 2023-13-1") and gives -1.
std::int64_t encodedate2(std::int64_t year, std::int64_t month, std::int64_t day);

// The German weekday ("Sonntag" ...), or its first two letters; "-" before 1 January 1900.
std::string WeekdayName(double value, bool shortForm);

// The German long name of a month 1 to 12; empty for any other number.
std::string MonthName(int month);

// The week of the date's Thursday, weeks starting on Monday; week 1 holds the year's first
// Thursday. 0 for an empty value.
int CalendarWeek(double value);

// "1. KW 2015": the week and the year it is counted in (a December date in week 1 counts
// in the next year; an early January date in week 52 or 53 shows its own year).
std::string CalendarWeekText(double value);

// A date-time as text, by format code:
//   1 H:NN:SS  D.MM.YYYY     2 D.MM.YYYY  H:NN:SS      3 D.MM.YYYY H:NN
//   4 duration in words       5 YYYYMMDD                6 DD.MM.YYYY
//   7 DD.MM.YYYY HH:NN        8 DD.MM.YY HH:NN          9 duration in years, months, days
//  10 HH:NN:SS               11 HH:NN                  12 Dienstag, 5. März 2024
//  13 as 12 + "   10. KW"    14 DD.MM.YYYY HH:NN:SS    15 DD.MM.
//  16 DD.MM.YY               17 D.M.YY                 18 YYYY-MM-DD HH:NN:SS
//  19 YYYY-MM-DD             20 YYYY-MM-DD_HH_NN_SS    other H:NN  D.MM.YYYY
// An empty date (year 0 or 1899) gives "-", except for codes 4, 9, 10 and 11.
std::string DateText(std::uint8_t code, double value);

// Elapsed seconds as "[dT ][h:]mm:ss": days only from 24 hours on, hours from one hour on.
std::string ElapsedText(std::int64_t seconds);

// The date format of the component library's date fields, formed from the system's short
// date format ("d.M.yy" gives "dd.mm.yyyy").
std::string DisplayDateFormat(std::string_view shortDateFormat);

}  // namespace tavo
