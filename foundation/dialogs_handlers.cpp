#include "foundation/dialogs_handlers.h"

#include <utility>

#include "foundation/log.h"

namespace tavo {
namespace {

// Process-wide like the log; empty until the program, a test or an unattended run installs
// its handlers.
InstalledDialogHandlers& Handlers() {
    static InstalledDialogHandlers handlers;
    return handlers;
}

}  // namespace

const InstalledDialogHandlers& InstalledHandlers() {
    return Handlers();
}

PromptHandler SetPromptHandler(PromptHandler handler) {
    return std::exchange(Handlers().prompt, std::move(handler));
}

bool HasPromptHandler() {
    return static_cast<bool>(Handlers().prompt);
}

ErrorReportHandler SetErrorReportHandler(ErrorReportHandler handler) {
    return std::exchange(Handlers().errorReport, std::move(handler));
}

FeedbackHandler SetFeedbackHandler(FeedbackHandler handler) {
    return std::exchange(Handlers().feedback, std::move(handler));
}

ClipboardWriter SetClipboardWriter(ClipboardWriter writer) {
    return std::exchange(Handlers().clipboard, std::move(writer));
}

bool CopyToClipboard(const std::string& text) {
    const ClipboardWriter& writer = Handlers().clipboard;
    if (writer) {
        try {
            writer(text);
            return true;
        } catch (...) {
            WriteLog("Zwischenablage: Fehler beim Kopieren", 0);
            return false;
        }
    }
    WriteLog("Zwischenablage nicht verfügbar", 0);
    return false;
}

}  // namespace tavo
