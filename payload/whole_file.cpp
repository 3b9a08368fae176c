#include "payload/whole_file.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>

#include "foundation/stream.h"

namespace tavo {
namespace {

// A name beside the target that no one else uses: process and a running number.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    auto file = TFileStream::Open(path, TFileStream::Mode::Read);
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(file->Size()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!file->ReadExact(bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string temporary;
    std::unique_ptr<TFileStream> file;
    for (int attempt = 0; attempt < 10 && !file; ++attempt) {
        temporary = TemporaryNameFor(path);
        file = TFileStream::Open(temporary, TFileStream::Mode::CreateNew);
    }
    if (!file) return false;
    const bool written = file->WriteAll(bytes.data(), bytes.size()) && file->Sync();
    file.reset();
    std::error_code ec;
    // A file that is replaced keeps its permissions (a program stays executable).
    const auto existing = std::filesystem::status(path, ec);
    if (written && !ec && std::filesystem::is_regular_file(existing))
        std::filesystem::permissions(temporary, existing.permissions(), ec);
    ec.clear();
    if (written) std::filesystem::rename(temporary, path, ec);
    if (!written || ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace tavo
