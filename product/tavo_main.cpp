// The stand-in for the product the setup installs: it carries a version record, holds the
// named lock "Tavo" while it runs, shows a small window naming itself and its version, and
// accepts the switches the setup and its links pass. What the product does in those modes
// belongs to the product, not to the setup.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "foundation/app_info.h"
#include "foundation/command_line.h"
#include "foundation/log.h"

namespace {

struct FinishAtExit {
    ~FinishAtExit() { tavo::FinishAppInfo(); }
};

// The mode the switches ask for; the setup relies on these names.
std::string ModeText() {
    if (tavo::HasSwitch("setup")) return "Teil 2 der Installation (/setup)";
    if (tavo::HasSwitch("remote")) return "Fernwartung (/remote)";
    if (tavo::HasSwitch("repair")) return "Datenbank reparieren (/repair)";
    return "normaler Start";
}

}  // namespace

int main(int argc, char** argv) {
    const FinishAtExit finish;
    tavo::AppInfo.ProgramName = "Tavo";
    tavo::AppInfo.ProgramTitle = "Zelvo Verbindomat";
    // "/L" switches the log file on; the lock named "Tavo" shows the setup that we run.
    if (!tavo::InitAppInfo(true)) return 0;
    const std::string mode = ModeText();
    tavo::WriteLog("Tavo " + tavo::AppInfo.ProgramVersionText + ": " + mode);

    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName("TavoMain");
    window.setWindowTitle(QString::fromStdString(tavo::AppInfo.TitleWithVersion));
    auto* layout = new QVBoxLayout(&window);  // owned by the window
    auto* label = new QLabel(&window);
    label->setObjectName("Info");
    label->setText(QString::fromStdString(tavo::AppInfo.ProgramTitle + "\nVersion " +
                                          tavo::AppInfo.ProgramVersionText + "\n" + mode));
    layout->addWidget(label);
    window.resize(320, 120);
    window.show();
    return QApplication::exec();
}
