#pragma once

#include <optional>
#include <string>

namespace tavo {

// Entry names of the file archive are paths relative to the archive root with "\" between
// the levels. These turn them into relative native paths and back.

// The native relative path ("bin/mysqld") of an entry name ("bin\mysqld"). Nothing for a
// name that would not stay below the target folder or cannot name a file there: empty,
// absolute ("\x", "/x"), with a drive ("C:x"), with a "." or ".." level or an empty level,
// ending in a separator, or holding a control character.
std::optional<std::string> NativeEntryPath(const std::string& name);

// The entry name of a relative native path; nothing when the path holds a "\" of its own
// or is no safe entry name.
std::optional<std::string> EntryNameOf(const std::string& relativePath);

// Whether every folder level of relativePath that already exists below folder (a folder
// path ending in "/") stays inside folder when links are followed, so that creating folders
// and writing at folder + relativePath cannot reach anything outside it. The file level
// itself does not count: a file is written by replacing what is there, never through it.
bool StaysInside(const std::string& folder, const std::string& relativePath);

}  // namespace tavo
