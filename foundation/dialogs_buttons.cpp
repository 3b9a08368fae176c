#include "foundation/dialogs_buttons.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "foundation/app_info.h"
#include "foundation/text.h"

namespace tavo {
namespace {

struct NamedPicture {
    std::string_view name;
    tbild value;
};

constexpr std::array<NamedPicture, 12> kPictures{{
    {"bi_none", bi_none},
    {"bi_ok", bi_ok},
    {"bi_cancel", bi_cancel},
    {"bi_retry", bi_retry},
    {"bi_update", bi_update},
    {"bi_save", bi_save},
    {"bi_copy", bi_copy},
    {"bi_setup", bi_setup},
    {"bi_mail", bi_mail},
    {"bi_www", bi_www},
    {"bi_Server", bi_Server},
    {"bi_Server_red", bi_Server_red},
}};

struct FlagButton {
    std::uint16_t bit;
    std::string_view token;
    int result;
};

// The order of the buttons, not that of the bit values.
constexpr std::array<FlagButton, 8> kFlagButtons{{
    {kFlagYes, "j", kResultYes},
    {kFlagOk, "o", kResultOk},
    {kFlagNo, "n", kResultNo},
    {kFlagAll, "all", kResultAll},
    {kFlagIgnore, "i", kResultIgnore},
    {kFlagRetry, "w", kResultRetry},
    {kFlagAbort, "&Abbrechen", kResultAbort},
    {kFlagCancel, "a", kResultCancel},
}};

// Lower case without accelerator marks: the form in which captions are compared.
std::string CompareForm(std::string_view caption) {
    std::string plain;
    for (const char c : caption)
        if (c != '&') plain += c;
    return LowerCase(plain);
}

bool IsOneOf(const std::string& key, std::initializer_list<std::string> forms) {
    return std::find(forms.begin(), forms.end(), key) != forms.end();
}

// The picture a button gets by its caption, and whether it answers Esc.
void ApplyCaptionRules(DialogButton& button) {
    const std::string key = CompareForm(button.caption);
    if (IsOneOf(key, {"ok", "ja", CompareForm(AppInfo.CaptionYes), CompareForm(AppInfo.CaptionOk)}))
        button.picture = bi_ok;
    else if (key == "speichern")
        button.picture = bi_save;
    else if (key == "aktualisieren")
        button.picture = bi_update;
    else if (IsOneOf(key, {"nein", CompareForm(AppInfo.CaptionNo), "verwerfen"}) ||
             key.find("ignor") != std::string::npos)
        button.picture = bi_cancel;
    else if (IsOneOf(key, {"abbrechen", CompareForm(AppInfo.CaptionCancel)})) {
        button.picture = bi_cancel;
        button.escape = true;
    } else if (key == "wiederholen")
        button.picture = bi_retry;
}

// "bi_name rest": the first word names the picture and is removed from the caption.
void ApplyPictureWord(DialogButton& button) {
    const size_t space = button.caption.find(' ');
    const std::string word = button.caption.substr(0, space);
    button.caption = space == std::string::npos ? std::string() : button.caption.substr(space + 1);
    if (const auto picture = PictureByName(word))
        button.picture = *picture;
    else
        ShowNotice("Bild \"%a\" nicht gefunden|" + word);
}

DialogButton MakeButton(const std::string& token) {
    DialogButton button{TokenCaption(token)};
    if (StartsWithCI(button.caption, "bi_"))
        ApplyPictureWord(button);
    else
        ApplyCaptionRules(button);
    return button;
}

}  // namespace

std::vector<std::string> SplitButtonList(std::string_view list) {
    std::string rest(list);
    if (rest.find('|') == std::string::npos) rest += '|';
    std::vector<std::string> tokens;
    while (!rest.empty()) {
        const size_t bar = rest.find('|');
        tokens.push_back(rest.substr(0, bar));
        rest.erase(0, bar == std::string::npos ? rest.size() : bar + 1);
    }
    return tokens;
}

std::string TokenCaption(const std::string& token) {
    if (token == "all") return "A&lle";  // only in lower case
    const std::string key = LowerCase(token);
    if (key == "j" || key == "y") return AppInfo.CaptionYes;
    if (key == "o") return AppInfo.CaptionOk;
    if (key == "n") return AppInfo.CaptionNo;
    if (key == "alle") return "A&lle";
    if (key == "i") return "&Ignorieren";
    if (key == "w") return "&Wiederholen";
    if (key == "a") return AppInfo.CaptionCancel;
    return token;
}

std::vector<DialogButton> MakeButtons(std::string_view list) {
    std::vector<DialogButton> buttons;
    for (const std::string& token : SplitButtonList(list)) buttons.push_back(MakeButton(token));
    if (buttons.size() == 1) buttons.front().escape = true;
    return buttons;
}

std::optional<tbild> PictureByName(std::string_view name) {
    std::string_view base = name;
    unsigned offset = 0;
    if (const size_t plus = name.rfind('+'); plus != std::string_view::npos) {
        base = name.substr(0, plus);
        const std::string_view digits = name.substr(plus + 1);
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), offset);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
    }
    const std::string key = LowerCase(base);
    for (const NamedPicture& picture : kPictures) {
        if (LowerCase(picture.name) != key) continue;
        const unsigned value = picture.value + offset;
        if (value > 0xFFFF) return std::nullopt;
        return static_cast<tbild>(value);
    }
    return std::nullopt;
}

std::string KindTitle(std::uint8_t kind) {
    switch (kind) {
        case kKindWarning:
            return "Warnung";
        case kKindError:
            return "Fehler";
        case kKindConfirmation:
            return "Bestätigen";
        default:
            return "Information";
    }
}

std::string FlagsButtonList(std::uint16_t bits) {
    std::string list;
    for (const FlagButton& button : kFlagButtons) {
        if (!(bits & button.bit)) continue;
        if (!list.empty()) list += '|';
        list += button.token;
    }
    return list;
}

int FlagsResult(std::uint16_t bits, int position) {
    int index = 0;
    for (const FlagButton& button : kFlagButtons) {
        if (!(bits & button.bit)) continue;
        if (index++ == position) return button.result;
    }
    return kResultCancel;
}

}  // namespace tavo
