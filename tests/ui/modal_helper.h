#pragma once

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

namespace tavo::test {

// The visible top-level window of that object name, nullptr when there is none.
inline QDialog* OpenDialog(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == name)
            return qobject_cast<QDialog*>(widget);
    return nullptr;
}

// Runs act on the dialog of that name as soon as the modal loop that shows it runs. A dialog
// that act leaves open is closed, so a failing test cannot hang in the loop.
inline void WhenShown(const QString& name, std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [name, act] {
        QDialog* dialog = OpenDialog(name);
        if (!dialog) {
            ADD_FAILURE() << "no dialog " << name.toStdString() << " is open";
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// A key press as typed: it goes to the window's focused control (a button) and from there,
// unhandled, to the window.
inline void PressKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

}  // namespace tavo::test
