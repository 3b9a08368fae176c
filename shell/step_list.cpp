#include "shell/step_list.h"

#include <algorithm>

#include "foundation/log.h"
#include "foundation/translate.h"

namespace tavo {
namespace {

TStepList& ShellList() {
    static TStepList list;
    return list;
}

TStepList*& Active() {
    static TStepList* active = nullptr;
    return active;
}

std::string SuffixOf(std::int16_t state) {
    switch (state) {
        case kStepOk:
            return " ->ok";
        case kStepOpen:
            return " ->offen";
        case kStepError:
            return " ->Fehler";
        default:
            return "";
    }
}

}  // namespace

void TStepList::Clear() {
    lines_.clear();
    Changed();
}

void TStepList::Add(StepLine line) {
    lines_.push_back(std::move(line));
}

int TStepList::CountInState(std::int16_t state) const {
    return static_cast<int>(std::count_if(lines_.begin(), lines_.end(),
                                          [&](const StepLine& l) { return l.state == state; }));
}

void TStepList::Changed() const {
    if (onChanged_) onChanged_();
}

TStepList& ActiveStepList() {
    return Active() ? *Active() : ShellList();
}

void SetActiveStepList(TStepList* list) {
    Active() = list;
}

void AddStep(const std::string& text, std::int16_t state) {
    TStepList& list = ActiveStepList();
    std::string logText;
    if (text.empty() && !list.Empty()) {
        list.Last().state = state;
        logText = SuffixOf(state);
    } else if (!text.empty() && text[0] == '+' && !list.Empty()) {
        const std::string rest = text.substr(1);
        list.Last().state = state;
        list.Last().caption += " -> " + TranslateText(rest);
        logText = rest;
    } else {
        list.Add(StepLine{TranslateText(text, "setup1"), state});
        logText = text + SuffixOf(state);
    }
    list.Changed();
    WriteLog(logText, 0);
}

void AddStepResult(bool ok) {
    AddStep("+" + TranslateText(ok ? "ok" : "Fehler"), ok ? kStepOk : kStepError);
}

}  // namespace tavo
