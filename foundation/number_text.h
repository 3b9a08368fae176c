#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Integers as texts and back, with the regional separators captured at start.
namespace tavo {

// The decimal digits of a number, with "-" for a negative one.
std::string IntText(std::int64_t number);

// The digits filled up with leading "0" to at least width digits; a minus sign goes first.
std::string ZeroPadded(std::int64_t number, int width);

// The digits with a thousands separator every three digits from the right (the sign does
// not count): the captured system separator with systemSeparators, else the German ".".
std::string GroupedInt(std::int64_t number, bool systemSeparators);

// "1.234 Byte" below 10,000,000 bytes, else whole millions of bytes and "MByte".
std::string SizeText(std::int64_t bytes);

// The integer of a text, -1 if it is none. Without commaDecimal only the part before the
// captured decimal separator counts and thousands separators are dropped ("2.3" gives 23
// under German separators); with it only the part before the first ",". What remains must
// be a decimal integer, optionally signed, within 64 bits.
std::int64_t IntOf(std::string_view text, bool commaDecimal = false);

}  // namespace tavo
