#pragma once

#include <QColor>

namespace tavo {

// The component library's look: switched on once at start with its face colour, applied to
// the open forms when the start-up sequence asks for it.
void SwitchUiStyleOn(QColor faceColour);
bool UiStyleOn();
void ApplyUiStyleToOpenForms();

}  // namespace tavo
