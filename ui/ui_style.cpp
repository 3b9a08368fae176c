#include "ui/ui_style.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace tavo {
namespace {

struct UiStyle {
    bool on = false;
    QColor face;
};

UiStyle& Style() {
    static UiStyle style;
    return style;
}

}  // namespace

void SwitchUiStyleOn(QColor faceColour) {
    Style() = UiStyle{true, faceColour};
}

bool UiStyleOn() {
    return Style().on;
}

void ApplyUiStyleToOpenForms() {
    if (!Style().on) return;
    for (QWidget* form : QApplication::topLevelWidgets()) {
        QPalette palette = form->palette();
        palette.setColor(QPalette::Window, Style().face);
        form->setPalette(palette);
    }
}

}  // namespace tavo
