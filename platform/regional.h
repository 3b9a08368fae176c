#pragma once

#include <string>

namespace tavo::platform {

// The regional separators of the user's locale (LC_NUMERIC, LC_TIME). Under the C or POSIX
// locale the German ones apply: "." thousands, "," decimal, "." date.
struct RegionalSeparators {
    std::string decimal;
    std::string thousands;
    std::string date;
};
RegionalSeparators CaptureSeparators();

// The platform's time-zone information as the Windows structure carries it.
struct TimeZoneInfo {
    int biasMinutes = 0;  // UTC = local time + bias; positive west of Greenwich
    std::string standardName;
    std::string daylightName;
    bool hasDaylightRule = false;
};
TimeZoneInfo CaptureTimeZone();

// The user's locale name for a category, as the environment resolves it ("C" when unset).
std::string LocaleNameFor(const char* categoryVariable);

}  // namespace tavo::platform
