#pragma once

#include <cstdint>
#include <string>

namespace tavo {

// The sizes of client library builds the setup uses without writing them again: the
// carried library's (on the platform the setup was conceived for) and an older build's.
inline constexpr std::int64_t kCarriedLibrarySize = 4438528;
inline constexpr std::int64_t kOlderLibrarySize = 1519616;

// The client library in the temporary folder: a file there of an accepted size (the
// carried library's unpacked size or one of the two sizes above) that loads is used as it
// is, any other is replaced by the carried one. True when the library is loaded; a library
// that cannot be replaced, written or loaded ends the program through a fatal message.
bool EnsureClientLibrary();

// Where EnsureClientLibrary places the library.
std::string ClientLibraryPath();

}  // namespace tavo
