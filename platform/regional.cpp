#include "platform/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <ctime>

namespace tavo::platform {
namespace {

bool IsPlainLocale(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// The first separator character of a date format such as "%d.%m.%Y".
std::string DateSeparatorOf(const std::string& format) {
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%') {
            ++i;
            continue;
        }
        return std::string(1, format[i]);
    }
    return ".";
}

// Opens a locale with one category, or none when the name is unknown on this machine.
locale_t OpenLocale(int mask, const std::string& name) {
    return IsPlainLocale(name) ? locale_t{} : ::newlocale(mask, name.c_str(), locale_t{});
}

}  // namespace

std::string LocaleNameFor(const char* categoryVariable) {
    for (const char* var : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value) return value;
    }
    return "C";
}

RegionalSeparators CaptureSeparators() {
    RegionalSeparators seps{",", ".", "."};
    if (const locale_t numeric = OpenLocale(LC_NUMERIC_MASK, LocaleNameFor("LC_NUMERIC"))) {
        seps.decimal = ::nl_langinfo_l(RADIXCHAR, numeric);
        seps.thousands = ::nl_langinfo_l(THOUSEP, numeric);
        ::freelocale(numeric);
    }
    if (const locale_t time = OpenLocale(LC_TIME_MASK, LocaleNameFor("LC_TIME"))) {
        seps.date = DateSeparatorOf(::nl_langinfo_l(D_FMT, time));
        ::freelocale(time);
    }
    return seps;
}

TimeZoneInfo CaptureTimeZone() {
    ::tzset();
    TimeZoneInfo tz;
    tz.biasMinutes = static_cast<int>(::timezone / 60);
    tz.standardName = ::tzname[0] ? ::tzname[0] : "";
    tz.daylightName = ::tzname[1] ? ::tzname[1] : "";
    tz.hasDaylightRule = ::daylight != 0;
    return tz;
}

}  // namespace tavo::platform
