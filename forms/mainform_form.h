#pragma once

#include <QFrame>
#include <QWidget>

#include "ui/status_bar.h"

namespace tavo {

// The components of the main window, by their names.
struct MainformComponents {
    TStatusBar* StatusBar = nullptr;
    QFrame* Panel1 = nullptr;
};

inline constexpr int kMainformClientWidth = 600;
inline constexpr int kMainformClientHeight = 460;
inline constexpr int kStatusBarHeight = 21;

// Lays out the main window: a fixed client area, the status bar at the bottom with its one
// panel "Ok", and Panel1 filling the rest for the wizard frame.
MainformComponents BuildMainformForm(QWidget& form);

}  // namespace tavo
