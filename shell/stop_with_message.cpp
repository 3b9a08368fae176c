#include "shell/stop_with_message.h"

#include "foundation/dialogs.h"
#include "foundation/log.h"
#include "foundation/translate.h"
#include "shell/mainform.h"

namespace tavo {

void StopWithMessage(const std::string& message, bool fatal) {
    WriteLog(fatal ? message + " Ende." : message);
    // A fatal text is filled here so that the closing lines stay outside its values.
    const std::string text = fatal ? TranslateText(message) + "\r\n\r\nEnde." : message;
    ShowNotice(text, bi_setup);
    if (fatal) OrderlyEnd();
}

}  // namespace tavo
