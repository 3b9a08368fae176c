#pragma once

#include <string>

namespace tavo {

// Starting programs and opening documents and web addresses. Every start is logged with its
// result code; a failed start shows its reason.

// Opens a file with the shell's "open" action; without auto-close it waits for the started
// program to end while window messages keep running.
bool StarteDateiP(const std::string& file, const std::string& parameters, bool autoClose);
void OpenDocument(const std::string& file);
// Starts a program given by its full path, in its own folder.
bool StarteDateiExeCode(const std::string& program, const std::string& parameters);
// Opens a web address (an address without scheme is taken as "http://" + address).
void StarteHTML(const std::string& address);
// Shows why a start failed; nothing for the codes 33 and 42.
void ReportStartError(int code, const std::string& text = "");

}  // namespace tavo
