#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/number_text.h"
#include "foundation/translate.h"
#include "foundation/url_encode.h"

// The text operations every part uses to build values. Text is UTF-8; positions count
// characters from 1, lengths count characters. The system's "ANSI" and wide forms are this
// one form here.
namespace tavo {

// Upper and lower case of UTF-8 text: ASCII and the Latin letters of the German texts this
// system handles (Latin-1 and Latin Extended-A); other characters stay as they are.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Trimmed; the first character and every character after one of - ( ) : & . # , and the
// blank upper-cased; the others left as they are.
std::string TitleCase(std::string_view text);

// Without leading and trailing blanks and control characters.
std::string Trim(std::string_view text);

// The first or the last n characters (all of them when there are fewer; none for n <= 0).
std::string FirstChars(std::string_view text, int n);
std::string LastChars(std::string_view text, int n);

// The text from character position n (1 = the first) on; all of it for n <= 1.
std::string TextFrom(std::string_view text, int n);

// The text n times in a row; empty for n <= 0.
std::string RepeatText(std::string_view text, int n);

// One of two values by a flag.
std::string Choose(bool flag, std::string_view whenTrue, std::string_view whenFalse);
std::int64_t Choose(bool flag, std::int64_t whenTrue, std::int64_t whenFalse);

// The part before the first separator (with the separator when keepSeparator is set); the
// text loses everything up to and including the separator. Without the separator in the
// text, or with an empty separator, the whole text comes back and the text becomes empty.
std::string SplitOff(std::string& text, std::string_view separator, bool keepSeparator = false);

// Non-overlapping occurrences of part, left to right; 0 if either is empty.
int CountOf(std::string_view part, std::string_view text);

// Character position of the first occurrence of part; -1 if none or either is empty.
int PosOf(std::string_view part, std::string_view text);

// Whether text contains part, both upper-cased; false for an empty part.
bool ContainsText(std::string_view part, std::string_view text);

// Whether text begins or ends with part; the CI forms lower-case both sides.
bool StartsWith(std::string_view text, std::string_view part);
bool EndsWith(std::string_view text, std::string_view part);
bool StartsWithCI(std::string_view text, std::string_view part);
bool EndsWithCI(std::string_view text, std::string_view part);

// Every occurrence of old replaced by replacement, left to right; inserted text is not
// searched again. Nothing happens for an empty old. The CI form finds old in any case.
void ReplaceAll(std::string& text, std::string_view old, std::string_view replacement);
void ReplaceAllCI(std::string& text, std::string_view old, std::string_view replacement);

// A column of |width| characters: the text unchanged if it has exactly that length, else
// trimmed, cut and filled up with blanks, on the right for a positive width and on the
// left for a negative one. Width 0 gives the empty text.
std::string PadText(std::string_view text, int width);

// The text, or when it is longer than n characters its first n - 3 and "...".
std::string ShortenText(std::string_view text, int n);

// a + b (+ c) when every part is non-empty, else the empty text.
std::string JoinIfBoth(std::string_view a, std::string_view b);
std::string JoinIfBoth(std::string_view a, std::string_view b, std::string_view c);

// Appends item to a separator-joined list unless the list already holds it as a whole
// entry; whether it appended.
bool AppendUnique(std::string& list, std::string_view item, std::string_view separator);

// Whether every character of text is one of allowed; true for an empty text.
bool OnlyCharsOf(std::string_view text, std::string_view allowed);
bool OnlyDigits(std::string_view text);

// "Ja" or "Nein"; "1" or "0".
std::string YesNoText(bool flag);
std::string OneZeroText(bool flag);

}  // namespace tavo
