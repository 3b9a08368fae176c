#include "shell/status_line.h"

#include "foundation/translate.h"

namespace tavo {
namespace {

struct StatusState {
    TStatusLine line;
    std::function<void()> onChanged;
};

StatusState& State() {
    static StatusState state;
    return state;
}

}  // namespace

const TStatusLine& StatusLine() {
    return State().line;
}

void SetStatusText(const std::string& text, bool warning) {
    StatusState& s = State();
    s.line.warning = warning;
    s.line.text =
        warning ? TranslateText("Achtung: %a|" + TranslateText(text)) : TranslateText(text);
    if (s.onChanged) s.onChanged();
}

void SetOnStatusChanged(std::function<void()> onChanged) {
    State().onChanged = std::move(onChanged);
}

}  // namespace tavo
