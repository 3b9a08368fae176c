#pragma once

#include "foundation/dialogs.h"

namespace tavo {

// The handlers installed through SetPromptHandler and its siblings.
struct InstalledDialogHandlers {
    PromptHandler prompt;
    ErrorReportHandler errorReport;
    FeedbackHandler feedback;
    ClipboardWriter clipboard;
};

const InstalledDialogHandlers& InstalledHandlers();

}  // namespace tavo
