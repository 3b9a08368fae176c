#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/dialogs.h"

namespace tavo {

// The rules that turn a "|"-separated button list into buttons. Every prompt handler gets
// their result, so the program, the tests and unattended runs see the same buttons.

// The tokens of a list. A list without "|" gets one appended, so "o" and "o|" are the same
// one-button list; "J||N" has an empty middle token.
std::vector<std::string> SplitButtonList(std::string_view list);

// The caption a token stands for ("j" and "y" CaptionYes, "o" CaptionOk, ...), else the token.
std::string TokenCaption(const std::string& token);

// The buttons of a list. A "bi_" picture name that is not in the set shows its notice and
// the button goes without a picture.
std::vector<DialogButton> MakeButtons(std::string_view list);

// The value of a picture name ("bi_www", "bi_Server+1"); nothing when it is not in the set.
std::optional<tbild> PictureByName(std::string_view name);

// The default window title of a kind: "Warnung", "Fehler", "Information", "Bestätigen".
std::string KindTitle(std::uint8_t kind);

// The list AskUserFlags shows for a bit set, and the result code of a chosen position.
std::string FlagsButtonList(std::uint16_t bits);
int FlagsResult(std::uint16_t bits, int position);

}  // namespace tavo
