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

inline void PressKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &press);
}

}  // namespace tavo::test
