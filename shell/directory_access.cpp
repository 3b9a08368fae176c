#include "shell/directory_access.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace tavo {
namespace {

constexpr char kProbeLine[] = "Test";

bool WriteProbe(const std::string& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << kProbeLine << "\r\n";
    out.close();
    return !out.fail();
}

// The first line of the file, without its line end; nothing when the file cannot be read.
// An empty file reads as an empty line.
std::optional<std::string> ReadFirstLine(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string line;
    if (!std::getline(in, line) && in.bad()) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace

std::string TestDirectoryAccess(const std::string& folder) {
    const std::string file = folder + "test.txt";
    std::string error;
    if (!WriteProbe(file)) {
        error = "Schreibfehler";
    } else if (const auto line = ReadFirstLine(file); !line) {
        error = "Lesefehler";
    } else if (*line != kProbeLine) {
        error = "Prüfwert stimmt nicht überein";
    }
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec)))
        std::filesystem::remove(file, ec);
    return error;
}

}  // namespace tavo
