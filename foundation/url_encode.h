#pragma once

#include <string>
#include <string_view>

namespace tavo {

// A text as the value of a URL query parameter in the form the maker's web site decodes:
// letters, digits and blanks stay, the German and typographic characters of the table in
// url_encode.cpp become "%" and their Windows-1252 code, a blank becomes "+", and the
// characters that would end or corrupt the value ("&", "/", "%", "+", "#", control
// characters) become "%" and two hexadecimal digits.
std::string UrlEncodeValue(std::string_view text);

}  // namespace tavo
