#pragma once

#include <cstdint>
#include <string>

namespace tavo {

// File and disk operations with the Windows meanings their callers expect.

bool myDeleteFileW(const std::string& path);       // logs "myDeleteFileW:" + path + " :yes|no"
bool FileExistsW(const std::string& path);         // a file, not a folder
std::int64_t FileSizeOf(const std::string& path);  // -1 when missing
std::uint32_t GetFileAttr(const std::string& path);
int SetFileAttr(const std::string& path, std::uint32_t attributes);  // 0 or the error code
// Local date-time of the last write (flag set) or of the creation; 0 when missing.
double FileTimeOf(const std::string& path, bool lastWrite);
bool SetFileDate(const std::string& path, double dateTime);  // only an existing file
std::int64_t DiskFreeOf(const std::string& path);            // -1 when not available
// The drive-type number (0 undetermined, 1 no root, 2 removable, 3 fixed, 4 remote,
// 5 CD-ROM, 6 RAM disk) of a drive root: here a mount point or any path on it.
int DriveType(const std::string& root);

}  // namespace tavo
