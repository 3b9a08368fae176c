#pragma once

namespace tavo {

// Unattended runs: when the environment variable TAVO_ANSWERS names a file, its lines are
// the answers (button positions, -1 for a closed window) to the program's questions in the
// order they come; once they are used up every question is answered as Esc would. The
// questions and answers are in the log as always. Nothing happens without the variable.
void InstallAnswerFileFromEnvironment();

}  // namespace tavo
