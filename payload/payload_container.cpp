#include "payload/payload_container.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "foundation/stream_checksum.h"

namespace tavo {
namespace {

constexpr char kTrailerMagic[8] = {'T', 'A', 'V', 'O', 'P', 'A', 'Y', 'L'};
constexpr char kDirMagic[8] = {'T', 'A', 'V', 'O', 'D', 'I', 'R', '1'};
constexpr std::size_t kTrailerSize = 32;
constexpr std::size_t kCopyBlock = 1 << 20;

void PutLe(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetLe(const unsigned char* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

std::string Directory(const std::vector<PayloadEntry>& entries) {
    std::string dir(kDirMagic, sizeof kDirMagic);
    PutLe(dir, entries.size(), 4);
    for (const PayloadEntry& e : entries) {
        PutLe(dir, e.name.size(), 2);
        dir += e.name;
        PutLe(dir, e.offset, 8);
        PutLe(dir, e.size, 8);
    }
    return dir;
}

// Parses a directory; false when it is malformed or an entry reaches past `length`.
bool ParseDirectory(const std::string& dir, std::uint64_t length,
                    std::vector<PayloadEntry>& entries) {
    const auto* p = reinterpret_cast<const unsigned char*>(dir.data());
    if (dir.size() < 12 || std::memcmp(p, kDirMagic, 8) != 0) return false;
    const std::uint64_t count = GetLe(p + 8, 4);
    std::size_t at = 12;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (at + 2 > dir.size()) return false;
        const std::size_t nameLen = GetLe(p + at, 2);
        at += 2;
        if (at + nameLen + 16 > dir.size()) return false;
        PayloadEntry e;
        e.name = dir.substr(at, nameLen);
        at += nameLen;
        e.offset = GetLe(p + at, 8);
        e.size = GetLe(p + at + 8, 8);
        at += 16;
        if (e.offset > length || e.size > length - e.offset) return false;
        entries.push_back(e);
    }
    return at == dir.size();
}

bool CopyInto(std::ofstream& out, const std::string& file, std::uint64_t& size) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::vector<char> block(kCopyBlock);
    size = 0;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const std::streamsize got = in.gcount();
        if (got <= 0) break;
        out.write(block.data(), got);
        size += static_cast<std::uint64_t>(got);
    }
    return in.eof() && static_cast<bool>(out);
}

std::uint64_t FileSizeOr0(const std::string& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

}  // namespace

std::optional<PayloadContainer> PayloadContainer::Open(const std::string& executable) {
    std::ifstream in(executable, std::ios::binary);
    const std::uint64_t fileSize = FileSizeOr0(executable);
    if (!in || fileSize < kTrailerSize) return std::nullopt;
    unsigned char trailer[kTrailerSize];
    in.seekg(static_cast<std::streamoff>(fileSize - kTrailerSize));
    if (!in.read(reinterpret_cast<char*>(trailer), kTrailerSize)) return std::nullopt;
    if (std::memcmp(trailer, kTrailerMagic, 8) != 0 || GetLe(trailer + 28, 4) != 1)
        return std::nullopt;
    const std::uint64_t start = GetLe(trailer + 8, 8);
    const std::uint64_t length = GetLe(trailer + 16, 8);
    if (start > fileSize - kTrailerSize || length != fileSize - kTrailerSize - start)
        return std::nullopt;
    // The directory is read in pieces: its fixed head, then the entries it announces.
    std::string dir(12, '\0');
    in.seekg(static_cast<std::streamoff>(start));
    if (length < 12 || !in.read(dir.data(), 12)) return std::nullopt;
    const auto* head = reinterpret_cast<const unsigned char*>(dir.data());
    const std::uint64_t count = GetLe(head + 8, 4);
    for (std::uint64_t i = 0; i < count; ++i) {
        unsigned char len[2];
        if (!in.read(reinterpret_cast<char*>(len), 2)) return std::nullopt;
        const std::size_t nameLen = GetLe(len, 2);
        std::string rest(nameLen + 16, '\0');
        if (!in.read(rest.data(), static_cast<std::streamsize>(rest.size()))) return std::nullopt;
        dir.append(reinterpret_cast<const char*>(len), 2);
        dir += rest;
    }
    PayloadContainer container;
    if (ParseDirectory(dir, length, container.entries_) == false) return std::nullopt;
    if (ChecksumUpdate(0, dir.data(), dir.size()) != GetLe(trailer + 24, 4)) return std::nullopt;
    container.path_ = executable;
    container.start_ = start;
    return container;
}

const PayloadEntry* PayloadContainer::Find(const std::string& name) const {
    for (const PayloadEntry& e : entries_)
        if (e.name == name) return &e;
    return nullptr;
}

std::unique_ptr<TFileStream> PayloadContainer::OpenPayload(const std::string& name) const {
    const PayloadEntry* e = Find(name);
    if (!e) return nullptr;
    return TFileStream::OpenRegion(path_, static_cast<std::int64_t>(start_ + e->offset),
                                   static_cast<std::int64_t>(e->size));
}

bool BuildPayloadExecutable(const std::string& program, const std::vector<PayloadInput>& inputs,
                            const std::string& output, std::string& error) {
    // The directory's size is known before the payloads are copied: names and fixed fields.
    std::vector<PayloadEntry> entries;
    std::uint64_t dirSize = 12;
    for (const PayloadInput& input : inputs) {
        if (input.name.empty() || input.name.size() > 0xFFFF) {
            error = "ungültiger Name: " + input.name;
            return false;
        }
        dirSize += 2 + input.name.size() + 16;
    }
    std::uint64_t offset = dirSize;
    for (const PayloadInput& input : inputs) {
        if (!std::filesystem::is_regular_file(input.file)) {
            error = "Datei fehlt: " + input.file;
            return false;
        }
        const std::uint64_t size = FileSizeOr0(input.file);
        entries.push_back(PayloadEntry{input.name, offset, size});
        offset += size;
    }
    const std::string temp = output + ".tmp";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    std::uint64_t programSize = 0;
    if (!out || !CopyInto(out, program, programSize)) {
        error = "Programm nicht lesbar: " + program;
        std::remove(temp.c_str());
        return false;
    }
    const std::string dir = Directory(entries);
    out.write(dir.data(), static_cast<std::streamsize>(dir.size()));
    for (size_t i = 0; i < inputs.size(); ++i) {
        std::uint64_t copied = 0;
        if (!CopyInto(out, inputs[i].file, copied) || copied != entries[i].size) {
            error = "Nutzlast nicht lesbar: " + inputs[i].file;
            std::remove(temp.c_str());
            return false;
        }
    }
    std::string trailer(kTrailerMagic, sizeof kTrailerMagic);
    PutLe(trailer, programSize, 8);
    PutLe(trailer, offset, 8);
    PutLe(trailer, ChecksumUpdate(0, dir.data(), dir.size()), 4);
    PutLe(trailer, 1, 4);
    out.write(trailer.data(), static_cast<std::streamsize>(trailer.size()));
    out.close();
    if (!out) {
        error = "nicht geschrieben: " + output;
        std::remove(temp.c_str());
        return false;
    }
    struct stat st {};
    ::chmod(temp.c_str(), ::stat(program.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0755);
    if (std::rename(temp.c_str(), output.c_str()) != 0) {
        error = "nicht umbenannt: " + output;
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::uint64_t ProgramPartSize(const std::string& executable) {
    if (const auto container = PayloadContainer::Open(executable)) return container->ProgramSize();
    return FileSizeOr0(executable);
}

}  // namespace tavo
