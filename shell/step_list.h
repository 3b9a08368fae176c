#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavo {

// Step states; each is also the index of its mark in the component library's pictures.
inline constexpr std::int16_t kStepNone = 0;
inline constexpr std::int16_t kStepOk = 147;
inline constexpr std::int16_t kStepOpen = 148;
inline constexpr std::int16_t kStepError = 149;

struct StepLine {
    std::string caption;  // filled, as shown
    std::int16_t state = kStepNone;
};

// The lines of a step list, shown by the active wizard frame. Views follow its changes.
class TStepList {
  public:
    const std::vector<StepLine>& Lines() const { return lines_; }
    void Clear();
    void Add(StepLine line);
    // The last line; the list must not be empty.
    StepLine& Last() { return lines_.back(); }
    bool Empty() const { return lines_.empty(); }
    int CountInState(std::int16_t state) const;

    // Called after every change, so a view can show it at once.
    void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }
    void Changed() const;

  private:
    std::vector<StepLine> lines_;
    std::function<void()> onChanged_;
};

// The step list that AddStep reports to: the active frame's, or the shell's own list when
// no frame shows one (unattended runs, tests).
TStepList& ActiveStepList();
void SetActiveStepList(TStepList* list);  // nullptr: back to the shell's own list

// Appends a line, continues the last one ("+" text) or sets the last line's state (empty
// text); always writes one log line with the untranslated text and the state's suffix.
void AddStep(const std::string& text, std::int16_t state);
void AddStepResult(bool ok);

}  // namespace tavo
