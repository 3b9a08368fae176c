#include <cstdio>

#include "foundation/dates.h"
#include "foundation/text.h"

namespace tavo {
namespace {

std::string Two(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string Four(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", n);
    return text;
}

std::string Num(int n) {
    return std::to_string(n);
}

// Each non-zero count with its word and ", "; trimmed and without the last comma.
struct Counted {
    int count;
    std::string word;
};
std::string JoinCounts(const std::initializer_list<Counted>& parts) {
    std::string text;
    for (const Counted& part : parts) {
        if (part.count != 0) text += Num(part.count) + " " + part.word + ", ";
    }
    text = Trim(text);
    if (!text.empty() && text.back() == ',') text.pop_back();
    return text;
}

std::string DurationInWords(const DateParts& p) {
    const auto word = [](std::string_view w) { return TranslateText(w, "zeit"); };
    const std::string text = JoinCounts({
        {p.year, word(p.year == 1 ? "Jahr" : "Jahre")},
        {p.month, word("Mon")},
        {p.day, word(p.day == 1 ? "Tag" : "Tage")},
        {p.hour, word(p.hour == 1 ? "Stunde" : "Stunden")},
        {p.minute, word("Min")},
        {p.second, word("Sek")},
    });
    return text.empty() ? "0 " + word("Sek") : text;
}

std::string DurationInDays(const DateParts& p) {
    return JoinCounts(
        {{p.year, p.year == 1 ? "Jahr" : "Jahre"}, {p.month, "Monate"}, {p.day, "Tage"}});
}

std::string LongDate(double value, const DateParts& p) {
    return WeekdayName(value, false) + ", " + Num(p.day) + ". " + MonthName(p.month) + " " +
           Four(p.year);
}

}  // namespace

std::string DateText(std::uint8_t code, double value) {
    const DateParts p = DecodeDateTime(value);
    const bool alwaysFormats = code == 4 || code == 9 || code == 10 || code == 11;
    if ((p.year == 0 || p.year == 1899) && !alwaysFormats) return "-";

    const std::string dDotMmYyyy = Num(p.day) + "." + Two(p.month) + "." + Four(p.year);
    const std::string ddMmYyyy = Two(p.day) + "." + Two(p.month) + "." + Four(p.year);
    const std::string yyyyMmDd = Four(p.year) + "-" + Two(p.month) + "-" + Two(p.day);
    const std::string hNn = Num(p.hour) + ":" + Two(p.minute);
    const std::string hhNn = Two(p.hour) + ":" + Two(p.minute);
    const std::string ss = ":" + Two(p.second);
    switch (code) {
        case 1:
            return hNn + ss + "  " + dDotMmYyyy;
        case 2:
            return dDotMmYyyy + "  " + hNn + ss;
        case 3:
            return dDotMmYyyy + " " + hNn;
        case 4:
            return DurationInWords(p);
        case 5:
            return Four(p.year) + Two(p.month) + Two(p.day);
        case 6:
            return ddMmYyyy;
        case 7:
            return ddMmYyyy + " " + hhNn;
        // The two-digit year of 1900 to 2099 is the year minus 1900 or 2000.
        case 8:
            return Two(p.day) + "." + Two(p.month) + "." + Two(p.year % 100) + " " + hhNn;
        case 9:
            return DurationInDays(p);
        case 10:
            return hhNn + ss;
        case 11:
            return hhNn;
        case 12:
            return LongDate(value, p);
        case 13:
            return LongDate(value, p) + "   " + Num(CalendarWeek(value)) + ". KW";
        case 14:
            return ddMmYyyy + " " + hhNn + ss;
        case 15:
            return Two(p.day) + "." + Two(p.month) + ".";
        case 16:
            return Two(p.day) + "." + Two(p.month) + "." + Two(p.year % 100);
        case 17:
            return Num(p.day) + "." + Num(p.month) + "." + Two(p.year % 100);
        case 18:
            return yyyyMmDd + " " + hhNn + ss;
        case 19:
            return yyyyMmDd;
        case 20:
            return yyyyMmDd + "_" + Two(p.hour) + "_" + Two(p.minute) + "_" + Two(p.second);
        default:
            return hNn + "  " + dDotMmYyyy;
    }
}

std::string ElapsedText(std::int64_t seconds) {
    // Counted without sign so that even the smallest 64-bit number has a magnitude.
    const std::uint64_t total =
        seconds < 0 ? 0 - static_cast<std::uint64_t>(seconds) : static_cast<std::uint64_t>(seconds);
    std::string text = seconds < 0 ? "-" : "";
    std::uint64_t hours = total / 3600;
    if (hours > 0) {
        if (hours > 23) {
            text += std::to_string(hours / 24) + "T ";
            hours %= 24;
        }
        text += std::to_string(hours) + ":";
    }
    return text + Two(static_cast<int>(total / 60 % 60)) + ":" + Two(static_cast<int>(total % 60));
}

}  // namespace tavo
