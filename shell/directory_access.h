#pragma once

#include <string>

namespace tavo {

// Writes, reads back and deletes folder + "test.txt"; the folder ends with "/". Empty when
// all went well, else "Schreibfehler", "Lesefehler" or "Prüfwert stimmt nicht überein".
std::string TestDirectoryAccess(const std::string& folder);

}  // namespace tavo
