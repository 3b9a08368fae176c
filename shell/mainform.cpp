#include "shell/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include "foundation/app_info.h"
#include "foundation/command_line.h"
#include "foundation/dialogs.h"
#include "foundation/log.h"
#include "shell/setup_state.h"
#include "shell/startup_sequence.h"
#include "shell/status_line.h"
#include "ui/ui_style.h"

namespace tavo {

TMainform* Mainform = nullptr;

TMainform::TMainform() : components_(BuildMainformForm(*this)) {
    Mainform = this;
    ListenForSecondStart();
    FollowStatusLine();
}

TMainform::~TMainform() {
    SetOnStatusChanged({});
    if (Mainform == this) Mainform = nullptr;
}

void TMainform::FollowStatusLine() {
    components_.StatusBar->SetOnDrawPanel([this](QPainter& painter, int index, const QRect& rect) {
        if (index == 0) StatusBarDrawPanel(painter, rect);
    });
    SetOnStatusChanged([this] {
        components_.StatusBar->SetPanelText(0, StatusLine().text);
        components_.StatusBar->repaint();
    });
}

void TMainform::StatusBarDrawPanel(QPainter& painter, const QRect& rect) const {
    const bool warning = StatusLine().warning;
    if (warning) painter.fillRect(rect, Qt::red);
    painter.setPen(warning ? Qt::white : Qt::black);
    painter.setClipRect(rect);
    const QRect textRect = rect.adjusted(2, 1, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(components_.StatusBar->PanelText(0)));
    painter.setClipping(false);
}

void TMainform::FormCreate() {
    SetupState.installMode = !HasSwitch("uninstall");
    SetupState.stateOk = 147;
    SetupState.stateOpen = 148;
    SetupState.stateError = 149;
    setWindowTitle(QString::fromStdString(AppInfo.ProgramTitle));
    setFixedSize(kMainformClientWidth, kMainformClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TMainform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // The sequence may ask questions and end the program: it runs once the window is up.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TMainform::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainform::FormCloseQuery(bool& canClose) {
    if (!Terminating) {
        const std::string what = SetupState.installMode ? "das Setup" : "die Deinstallation";
        canClose = AskUser("Wollen Sie " + what + " wirklich abbrechen?", kKindConfirmation, "J|N",
                           bi_setup) == 0;
    }
    WriteLog(std::string("Programm beenden: ") + (canClose ? "Ja" : "Nein"));
}

void TMainform::FormShow() {
    if (Terminating) return;
    if (!RunStartupChecks() || Terminating) return;
    if (!ProbeSetupVersion() || Terminating) return;
    if (!RunInstallationDetection() || Terminating) return;
    ApplyUiStyleToOpenForms();
    PlaceWizardFrame();
}

void TMainform::PlaceWizardFrame() {
    // The installation wizard or the uninstallation wizard goes into Panel1 here, with the
    // wizards themselves.
}

void TMainform::BringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    QApplication::beep();
    WriteLog("Zweiter Start des Setups: Fenster nach vorn geholt");
}

void TMainform::ListenForSecondStart() {
    const int fd = InstanceActivationFd();
    if (fd < 0) return;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);  // owned by the form
    QObject::connect(notifier, &QSocketNotifier::activated, this, [this] {
        if (TakeInstanceActivation()) BringToFront();
    });
}

void OrderlyEnd() {
    Terminating = true;
    if (Mainform) Mainform->close();
}

}  // namespace tavo
