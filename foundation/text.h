#pragma once

#include <string>
#include <string_view>

#include "foundation/translate.h"

namespace tavo {

// Upper and lower case of UTF-8 text: ASCII and the Latin letters of the German texts this
// system handles (Latin-1 and Latin Extended-A); other characters stay as they are.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Whether text begins with part, both sides lower-cased.
bool StartsWithCI(std::string_view text, std::string_view part);

// Trimmed; the first character and every character after one of - ( ) : & . # , and the
// blank upper-cased; the others left as they are.
std::string TitleCase(std::string_view text);

}  // namespace tavo
