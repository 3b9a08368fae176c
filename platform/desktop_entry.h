#pragma once

#include <string>

namespace tavo::platform {

// A freedesktop desktop entry, the counterpart of a shell link.
struct DesktopEntry {
    std::string name;           // shown name
    std::string target;         // program, document or address
    std::string parameters;     // for a program
    std::string workingFolder;  // for a program
};

// The text of the entry: an address becomes a link, an executable an application started
// with its parameters in its folder, any other file a document opened through xdg-open.
std::string DesktopEntryText(const DesktopEntry& entry);

// Writes the entry file whole or not at all; false when it cannot be written.
bool SaveDesktopEntry(const DesktopEntry& entry, const std::string& path);

}  // namespace tavo::platform
