// The setup program: unit initialisation, the main window, the message loop, the end.
#include <QApplication>

#include "foundation/app_info.h"
#include "foundation/process_messages.h"
#include "shell/answer_file.h"
#include "shell/mainform.h"
#include "shell/setup_state.h"
#include "shell/termination_signals.h"
#include "ui/dir_dialog.h"
#include "ui/message_dlg.h"

namespace {

// The end routine runs on every way out of main.
struct FinishAtExit {
    ~FinishAtExit() { tavo::FinishAppInfo(); }
};

}  // namespace

int main(int argc, char** argv) {
    const FinishAtExit finish;
    // A second start ends here, before any window.
    if (!tavo::InitSetupUnit()) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromStdString(tavo::AppInfo.ProgramTitle));
    // From here on questions show as dialogs and long operations keep the window alive.
    tavo::InstallQtPromptHandler();
    tavo::InstallAnswerFileFromEnvironment();
    tavo::SetProcessMessagesHook([] { QApplication::processEvents(); });
    tavo::TMainform form;
    tavo::CreateDirDialog(&form);
    tavo::EndInOrderOnTerminationSignals(form);
    form.FormCreate();
    form.show();
    return QApplication::exec();
}
