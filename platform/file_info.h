#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace tavo::platform {

// File attribute bits as Windows reports them.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// The attribute bits of a path: read-only = no write bit at all, hidden = a name beginning
// with "."; kInvalidAttributes when the path does not exist.
std::uint32_t FileAttributes(const std::string& path);

// Sets the read-only bit (removes or restores the write bits); the other bits have no
// counterpart here and are left alone. 0 or the Windows error code.
int SetFileAttributes(const std::string& path, std::uint32_t attributes);

// Last write and creation times (creation falls back to the last status change where the
// file system keeps no birth time); empty when the file is missing.
std::optional<std::timespec> LastWriteTime(const std::string& path);
std::optional<std::timespec> CreationTime(const std::string& path);
bool SetLastWriteTime(const std::string& path, const std::timespec& when);

// Size of a regular file, -1 when there is none.
std::int64_t FileSize(const std::string& path);

}  // namespace tavo::platform
