#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/stream.h"

namespace tavo {

// The setup executable is the program followed by its payloads and a trailer:
//
//   program bytes | "TAVODIR1" count(u32) { nameLen(u16) name offset(u64) size(u64) }*
//                 | payload bytes ... | trailer
//   trailer (32 bytes, at the very end): "TAVOPAYL" start(u64) length(u64) dirCrc(u32) 1(u32)
//
// All integers little-endian. `start` is the file offset of the directory, `length` the
// size from there up to the trailer; entry offsets count from `start`. The directory's
// checksum is the data blocks' CRC. Each payload is one data block or one archive; a
// reader reaches it as a file region without reading any other payload.
struct PayloadEntry {
    std::string name;
    std::uint64_t offset = 0;  // from the directory's start
    std::uint64_t size = 0;
};

class PayloadContainer {
  public:
    // The payloads of an executable; empty when it carries none or its trailer is damaged.
    static std::optional<PayloadContainer> Open(const std::string& executable);

    // The bytes before the payloads: the program itself.
    std::uint64_t ProgramSize() const { return start_; }
    const std::vector<PayloadEntry>& Entries() const { return entries_; }
    const PayloadEntry* Find(const std::string& name) const;
    // A stream over one payload; null when there is no such payload.
    std::unique_ptr<TFileStream> OpenPayload(const std::string& name) const;

  private:
    std::string path_;
    std::uint64_t start_ = 0;
    std::vector<PayloadEntry> entries_;
};

// One payload to append: its name and the file that holds its bytes.
struct PayloadInput {
    std::string name;
    std::string file;
};

// Writes program + payloads + trailer to output (whole or not at all); false with a reason.
bool BuildPayloadExecutable(const std::string& program, const std::vector<PayloadInput>& inputs,
                            const std::string& output, std::string& error);

// The size of the program part of a file: the payloads' start, or the file size.
std::uint64_t ProgramPartSize(const std::string& executable);

}  // namespace tavo
