#include "foundation/dates.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "foundation/log.h"
#include "foundation/translate.h"

namespace tavo {
namespace {

// Days between 1970-01-01 and a civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

constexpr std::int64_t kDaysFrom1899To1970 = 25569;
constexpr double kMsPerDay = 86400000.0;
constexpr double kFirstOf2000 = 36526.0;  // the base that durations are counted from

std::int64_t DayNumber(std::int64_t y, unsigned m, unsigned d) {
    return DaysFromCivil(y, m, d) + kDaysFrom1899To1970;
}

bool IsLeapYear(std::int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(std::int64_t y, std::int64_t m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// 0 for Sunday up to 6 for Saturday; day 1 (31 December 1899) was a Sunday.
int WeekdayIndex(std::int64_t dayNumber) {
    return static_cast<int>(((dayNumber - 1) % 7 + 7) % 7);
}

}  // namespace

double EncodeDateTime(const DateParts& p) {
    const std::int64_t days = DaysFromCivil(p.year, p.month, p.day) + kDaysFrom1899To1970;
    const double ms = ((p.hour * 60.0 + p.minute) * 60.0 + p.second) * 1000.0 + p.millisecond;
    return static_cast<double>(days) + ms / kMsPerDay;
}

DateParts DecodeDateTime(double value) {
    if (!(value > 0)) return {};
    if (value >= kDurationLimit) return DecodeCalendar(value);
    DateParts p = DecodeCalendar(kFirstOf2000 + value);
    p.year = static_cast<std::uint16_t>(p.year - 2000);
    p.month = static_cast<std::uint16_t>(p.month - 1);
    p.day = static_cast<std::uint16_t>(p.day - 1);
    return p;
}

DateParts DecodeCalendar(double value) {
    // Beyond 31 December 9999 the parts no longer fit the calendar this system formats.
    if (!(value > 0) || value >= 2958466.0) return {};
    // Round to whole milliseconds first so that 23:59:59.9995 never shows as 24:00.
    const auto totalMs = static_cast<std::int64_t>(std::llround(value * kMsPerDay));
    const std::int64_t days = totalMs / 86400000;
    std::int64_t ms = totalMs % 86400000;
    int y;
    unsigned m, d;
    CivilFromDays(days - kDaysFrom1899To1970, y, m, d);
    DateParts p;
    p.year = static_cast<std::uint16_t>(y);
    p.month = static_cast<std::uint16_t>(m);
    p.day = static_cast<std::uint16_t>(d);
    p.hour = static_cast<std::uint16_t>(ms / 3600000);
    ms %= 3600000;
    p.minute = static_cast<std::uint16_t>(ms / 60000);
    ms %= 60000;
    p.second = static_cast<std::uint16_t>(ms / 1000);
    p.millisecond = static_cast<std::uint16_t>(ms % 1000);
    return p;
}

double LocalDateTimeOf(std::time_t seconds, int milliseconds) {
    std::tm local{};
    ::localtime_r(&seconds, &local);
    DateParts p;
    p.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    p.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    p.day = static_cast<std::uint16_t>(local.tm_mday);
    p.hour = static_cast<std::uint16_t>(local.tm_hour);
    p.minute = static_cast<std::uint16_t>(local.tm_min);
    p.second = static_cast<std::uint16_t>(std::min(local.tm_sec, 59));  // no leap second
    p.millisecond = static_cast<std::uint16_t>(std::clamp(milliseconds, 0, 999));
    return EncodeDateTime(p);
}

double NowDateTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return LocalDateTimeOf(seconds, static_cast<int>(ms));
}

std::uint32_t TickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::int64_t encodedate2(std::int64_t year, std::int64_t month, std::int64_t day) {
    if (month == 2 && day == 29 && year >= 1 && year <= 9999 && !IsLeapYear(year)) day = 28;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        WriteLog("exception encodedate2: ymd " + std::to_string(year) + "-" +
                 std::to_string(month) + "-" + std::to_string(day));
        return -1;
    }
    return DayNumber(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

std::string WeekdayName(double value, bool shortForm) {
    static constexpr const char* kNames[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                             "Donnerstag", "Freitag", "Samstag"};
    if (!(value >= 2.0) || value >= 2958466.0) return "-";
    const std::string name = TranslateText(
        kNames[WeekdayIndex(static_cast<std::int64_t>(std::floor(value)))], "wochentag");
    return shortForm ? name.substr(0, 2) : name;
}

std::string MonthName(int month) {
    static constexpr const char* kNames[] = {"Januar",    "Februar", "März",     "April",
                                             "Mai",       "Juni",    "Juli",     "August",
                                             "September", "Oktober", "November", "Dezember"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

int CalendarWeek(double value) {
    const DateParts date = DecodeCalendar(value);
    if (date.year == 0) return 0;
    const std::int64_t day = DayNumber(date.year, date.month, date.day);
    const int isoWeekday = WeekdayIndex(day) == 0 ? 7 : WeekdayIndex(day);  // Monday = 1
    const std::int64_t thursday = day - isoWeekday + 4;
    const DateParts thursdayDate = DecodeCalendar(static_cast<double>(thursday));
    return static_cast<int>((thursday - DayNumber(thursdayDate.year, 1, 1)) / 7 + 1);
}

std::string CalendarWeekText(double value) {
    const DateParts date = DecodeCalendar(value);
    if (date.year == 0) return "-";
    const int week = CalendarWeek(value);
    const int year = week == 1 && date.month == 12 ? date.year + 1 : date.year;
    return TranslateText("%a. KW %b|" + std::to_string(week) + "|" + std::to_string(year),
                         "kalenderwoche");
}

}  // namespace tavo
