#pragma once

class QObject;

namespace tavo {

// SIGTERM and SIGINT (the session or an administrator ending the program) lead to the
// orderly end on the UI thread, so the end routine still runs and the log is complete.
void EndInOrderOnTerminationSignals(QObject& owner);

}  // namespace tavo
