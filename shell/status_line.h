#pragma once

#include <functional>
#include <string>

namespace tavo {

// The one-line status display at the bottom of the main window: a hint, or in warning style
// the text after "Achtung: ".
struct TStatusLine {
    std::string text;  // filled, as shown
    bool warning = false;
};

const TStatusLine& StatusLine();
void SetStatusText(const std::string& text, bool warning);
// Called after every change, so the status bar can be redrawn.
void SetOnStatusChanged(std::function<void()> onChanged);

}  // namespace tavo
