#include "foundation/dates.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/app_info.h"
#include "tests/support/temp_root.h"

namespace tavo {
namespace {

double At(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    DateParts p;
    p.year = static_cast<std::uint16_t>(y);
    p.month = static_cast<std::uint16_t>(m);
    p.day = static_cast<std::uint16_t>(d);
    p.hour = static_cast<std::uint16_t>(h);
    p.minute = static_cast<std::uint16_t>(n);
    p.second = static_cast<std::uint16_t>(s);
    return EncodeDateTime(p);
}

constexpr double kDay = 1.0;
constexpr double kHour = 1.0 / 24;
constexpr double kMinute = kHour / 60;
constexpr double kSecond = kMinute / 60;

class Dates : public ::testing::Test {
  protected:
    void SetUp() override { test::ResetFoundationState(); }
    static std::string Log() { return AppInfo.LogBuffer.value_or(""); }
};

TEST_F(Dates, DateTextFormsEveryCode) {
    const double t = At(2024, 3, 5, 9, 7, 2);
    const struct {
        int code;
        const char* expected;
    } cases[] = {
        {1, "9:07:02  5.03.2024"},
        {2, "5.03.2024  9:07:02"},
        {3, "5.03.2024 9:07"},
        {5, "20240305"},
        {6, "05.03.2024"},
        {7, "05.03.2024 09:07"},
        {8, "05.03.24 09:07"},
        {10, "09:07:02"},
        {11, "09:07"},
        {12, "Dienstag, 5. März 2024"},
        {13, "Dienstag, 5. März 2024   10. KW"},
        {14, "05.03.2024 09:07:02"},
        {15, "05.03."},
        {16, "05.03.24"},
        {17, "5.3.24"},
        {18, "2024-03-05 09:07:02"},
        {19, "2024-03-05"},
        {20, "2024-03-05_09_07_02"},
        {0, "9:07  5.03.2024"},
        {21, "9:07  5.03.2024"},
        {255, "9:07  5.03.2024"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText(static_cast<std::uint8_t>(c.code), t), c.expected) << c.code;
}

TEST_F(Dates, DateTextYearsAndTimesAtTheirEdges) {
    const double lateIn1999 = At(1999, 12, 31, 23, 59, 59);
    EXPECT_EQ(DateText(8, lateIn1999), "31.12.99 23:59");
    EXPECT_EQ(DateText(16, At(2000, 1, 2)), "02.01.00");
    EXPECT_EQ(DateText(1, At(2010, 10, 20, 14, 0, 5)), "14:00:05  20.10.2010");
    // The last millisecond of a day stays on that day.
    EXPECT_EQ(DateText(18, At(2024, 3, 5) + 1 - 0.0015 / 86400), "2024-03-05 23:59:59");
    EXPECT_EQ(DateText(13, At(2014, 12, 29)), "Montag, 29. Dezember 2014   1. KW");
}

TEST_F(Dates, EmptyDatesShowADashExceptInTheDurationAndTimeCodes) {
    for (const double empty : {0.0, -1.0, -36000.5}) {
        for (const int code : {1, 2, 3, 5, 6, 7, 8, 12, 13, 14, 15, 16, 17, 18, 19, 20, 99})
            EXPECT_EQ(DateText(static_cast<std::uint8_t>(code), empty), "-") << code;
        EXPECT_EQ(DateText(4, empty), "0 Sek");
        EXPECT_EQ(DateText(9, empty), "");
        EXPECT_EQ(DateText(10, empty), "00:00:00");
        EXPECT_EQ(DateText(11, empty), "00:00");
    }
    // A duration of less than a year has year 0: a time of day, but no date.
    EXPECT_EQ(DateText(6, 0.5), "-");
    EXPECT_EQ(DateText(11, 0.5), "12:00");
    EXPECT_EQ(DateText(11, 90 * kMinute), "01:30");  // a time-zone bias in days
}

TEST_F(Dates, DurationsInWordsAndInDays) {
    const struct {
        double value;
        const char* words;
        const char* days;
    } cases[] = {
        {kDay + 3 * kMinute, "1 Tag, 3 Min", "1 Tage"},
        {0, "0 Sek", ""},
        {40 * kDay, "1 Mon, 9 Tage", "1 Monate, 9 Tage"},
        {1.5 * kDay, "1 Tag, 12 Stunden", "1 Tage"},
        {kHour + kSecond, "1 Stunde, 1 Sek", ""},
        {2 * kHour + 2 * kSecond, "2 Stunden, 2 Sek", ""},
        {366 * kDay, "1 Jahr", "1 Jahr"},
        {734 * kDay + 5 * kMinute, "2 Jahre, 3 Tage, 5 Min", "2 Jahre, 3 Tage"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateText(4, c.value), c.words) << c.value;
        EXPECT_EQ(DateText(9, c.value), c.days) << c.value;
    }
}

TEST_F(Dates, ValuesBelowTenThousandDecodeAsDurations) {
    const DateParts forty = DecodeDateTime(40);
    EXPECT_EQ(forty.year, 0);
    EXPECT_EQ(forty.month, 1);
    EXPECT_EQ(forty.day, 9);
    const DateParts dayAndHalf = DecodeDateTime(1.5);
    EXPECT_EQ(dayAndHalf.day, 1);
    EXPECT_EQ(dayAndHalf.hour, 12);
    EXPECT_EQ(dayAndHalf.month, 0);
    const DateParts point = DecodeDateTime(10000);  // 18 May 1927 is a point in time
    EXPECT_EQ(point.year, 1927);
    EXPECT_EQ(point.month, 5);
    EXPECT_EQ(point.day, 18);
    const DateParts calendar = DecodeCalendar(1.5);
    EXPECT_EQ(calendar.year, 1899);
    EXPECT_EQ(calendar.day, 31);
    EXPECT_EQ(calendar.hour, 12);
    EXPECT_EQ(DecodeDateTime(0).year, 0);
    EXPECT_EQ(DecodeDateTime(-3).day, 0);
}

TEST_F(Dates, EncodeDate2MendsTheLeapDayAndRefusesInvalidDates) {
    EXPECT_EQ(encodedate2(2023, 2, 29), 44985);  // 28 February 2023
    EXPECT_EQ(encodedate2(1900, 2, 29), 60);     // 1900 was no leap year either
    EXPECT_EQ(encodedate2(2024, 2, 29), 45351);
    EXPECT_EQ(encodedate2(1900, 1, 1), 2);
    EXPECT_EQ(encodedate2(2024, 3, 5), static_cast<std::int64_t>(At(2024, 3, 5)));
    EXPECT_EQ(Log().find("exception"), std::string::npos);

    const struct {
        std::int64_t y, m, d;
        const char* line;
    } invalid[] = {
        {2023, 13, 1, "exception encodedate2: ymd 2023-13-1\r\n"},
        {2023, 4, 31, "exception encodedate2: ymd 2023-4-31\r\n"},
        {2023, 2, 30, "exception encodedate2: ymd 2023-2-30\r\n"},
        {2023, 0, 1, "exception encodedate2: ymd 2023-0-1\r\n"},
        {2023, 1, 0, "exception encodedate2: ymd 2023-1-0\r\n"},
        {0, 1, 1, "exception encodedate2: ymd 0-1-1\r\n"},
        {10000, 1, 1, "exception encodedate2: ymd 10000-1-1\r\n"},
        {-1, 1, 1, "exception encodedate2: ymd -1-1-1\r\n"},
    };
    for (const auto& c : invalid) {
        AppInfo.LogBuffer.reset();
        EXPECT_EQ(encodedate2(c.y, c.m, c.d), -1) << c.line;
        EXPECT_EQ(Log(), c.line);
    }
}

TEST_F(Dates, WeekdayNamesStartOnSunday) {
    const struct {
        double value;
        const char* name;
        const char* shortName;
    } cases[] = {
        {At(2024, 3, 5, 23, 59), "Dienstag", "Di"},
        {At(2021, 1, 3), "Sonntag", "So"},
        {At(1900, 1, 1), "Montag", "Mo"},
        {At(2000, 1, 1), "Samstag", "Sa"},
        {At(2016, 1, 1), "Freitag", "Fr"},
        {At(2015, 12, 31), "Donnerstag", "Do"},
        {At(2024, 3, 6), "Mittwoch", "Mi"},
        {1.5, "-", "-"},  // before 1900
        {0, "-", "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WeekdayName(c.value, false), c.name) << c.value;
        EXPECT_EQ(WeekdayName(c.value, true), c.shortName) << c.value;
    }
}

TEST_F(Dates, CalendarWeekAtTheTurnOfTheYear) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {At(2014, 12, 29), "1. KW 2015"},  // December in week 1: the next year
        {At(2019, 12, 30), "1. KW 2020"},
        {At(2015, 12, 31), "53. KW 2015"},
        {At(2016, 1, 1), "53. KW 2016"},  // early January in week 53 shows its own year
        {At(2021, 1, 3), "53. KW 2021"},
        {At(2000, 1, 1), "52. KW 2000"},
        {At(2021, 1, 4), "1. KW 2021"},
        {At(2024, 3, 5, 12), "10. KW 2024"},
        {0, "-"},
    };
    for (const auto& c : cases) EXPECT_EQ(CalendarWeekText(c.value), c.text) << c.value;
    EXPECT_EQ(CalendarWeek(At(2016, 1, 1)), 53);
    EXPECT_EQ(CalendarWeek(0), 0);
}

TEST_F(Dates, MonthNamesAreGerman) {
    EXPECT_EQ(MonthName(1), "Januar");
    EXPECT_EQ(MonthName(3), "März");
    EXPECT_EQ(MonthName(12), "Dezember");
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(13), "");
}

TEST_F(Dates, ElapsedTextShowsHoursAndDaysOnlyWhenReached) {
    const struct {
        std::int64_t seconds;
        const char* text;
    } cases[] = {
        {3725, "1:02:05"},     {90061, "1T 1:01:01"},   {0, "00:00"},      {59, "00:59"},
        {61, "01:01"},         {3599, "59:59"},         {3600, "1:00:00"}, {86399, "23:59:59"},
        {86400, "1T 0:00:00"}, {864000, "10T 0:00:00"}, {-65, "-01:05"},
    };
    for (const auto& c : cases) EXPECT_EQ(ElapsedText(c.seconds), c.text) << c.seconds;
}

TEST_F(Dates, DisplayDateFormatUsesTwoDigitDaysAndMonthsAndFourDigitYears) {
    const struct {
        const char* system;
        const char* display;
    } cases[] = {
        {"dd.MM.yyyy", "dd.mm.yyyy"},
        {"d.M.yy", "dd.mm.yyyy"},
        {"dd-MMM-yy", "dd-mm-yyyy"},
        {"ddd d.M.yyyy", "dd dd.mm.yyyy"},
        {"yyyy-MM-dd", "yyyy-mm-dd"},
        {"M/d/yyyy", "mm/dd/yyyy"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayDateFormat(c.system), c.display) << c.system;
}

}  // namespace
}  // namespace tavo
