#include "foundation/dialogs.h"

#include <exception>
#include <utility>

#include "foundation/dialogs_buttons.h"
#include "foundation/dialogs_handlers.h"
#include "foundation/log.h"
#include "foundation/translate.h"

namespace tavo {
namespace {

int Answer(const DialogRequest& request) {
    const PromptHandler& handler = InstalledHandlers().prompt;
    if (!handler) {
        const int answer = UnattendedAnswer(request);
        WriteLog("MessageDLG: keine Abfrage möglich, Antwort wie Esc", 0);
        return answer;
    }
    try {
        const int answer = handler(request);
        if (answer >= 0 && answer < static_cast<int>(request.buttons.size())) return answer;
        if (answer != -1) WriteLog("MessageDLG: ungültige Antwort " + std::to_string(answer), 0);
    } catch (const std::exception& e) {
        WriteLog(std::string("MessageDLG: Fehler im Dialog: ") + e.what(), 0);
    } catch (...) {
        WriteLog("MessageDLG: Fehler im Dialog", 0);
    }
    return -1;
}

}  // namespace

int DialogRequest::EscapeResult() const {
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].escape) return static_cast<int>(i);
    return -1;
}

int UnattendedAnswer(const DialogRequest& request) {
    return request.EscapeResult();
}

int AskUserTitled(const std::string& title, const std::string& text, std::uint8_t kind,
                  const std::string& buttons, tbild picture) {
    DialogRequest request;
    request.kind = kind;
    request.picture = picture;
    request.title = TranslateText(title.empty() ? KindTitle(kind) : title);
    WriteLog("MessageDLG: " + request.title + ":" + text, 1);
    request.rawText = text;
    request.text = TranslateText(text);
    request.buttons = MakeButtons(buttons);
    const int result = Answer(request);
    WriteLog("MessageDLG.result:" + std::to_string(result), -1);
    return result;
}

int AskUser(const std::string& text, std::uint8_t kind, const std::string& buttons, tbild picture) {
    return AskUserTitled("", text, kind, buttons, picture);
}

void ShowNotice(const std::string& text, tbild picture) {
    AskUser(text, kKindInformation, "o", picture);
}

void ShowNoticeKind(const std::string& text, std::uint8_t kind, tbild picture) {
    AskUser(text, kind, "o", picture);
}

void ShowNoticeTitled(const std::string& title, const std::string& text, tbild picture) {
    AskUserTitled(title, text, kKindInformation, FlagsButtonList(kFlagOk), picture);
}

int AskUserFlags(const std::string& text, std::uint8_t kind, std::uint16_t buttons) {
    const int position = AskUser(text, kind, FlagsButtonList(buttons), bi_none);
    return FlagsResult(buttons, position);
}

}  // namespace tavo
