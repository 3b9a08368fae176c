#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// Windows-1252, the code page of a data block's name field. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same
// number, as on Windows, so every byte string survives the way there and back.

// The Windows-1252 bytes of UTF-8 text; empty optional when the text is not valid UTF-8 or
// holds a character the code page lacks.
std::optional<std::string> ToCp1252(std::string_view utf8);

// UTF-8 text of Windows-1252 bytes (always possible).
std::string FromCp1252(std::string_view bytes);

}  // namespace tavo
