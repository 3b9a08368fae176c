#pragma once

#include <string>
#include <string_view>

namespace tavo {

// Fills the placeholders of a message text just before it is shown. A text carries "%a",
// "%b", ... and, behind a "|" (or the character 7 when the first "|" stands before "%a"),
// the values for them: "Verzeichnis %a existiert|/opt/Tavo/" gives the sentence with the
// path in place. Placeholders without a value stay; texts without "%a" come back unchanged.
// The context ("zeit", "system", ...) names the text's area for a translation table this
// system does not have; every text is German already.
std::string TranslateText(std::string_view text, std::string_view context = {});

}  // namespace tavo
