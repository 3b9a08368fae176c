#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/stream.h"
#include "payload/archive_progress.h"

namespace tavo {

// File archive: a plain concatenation of compressed data blocks (block_head.h), one per
// file, nothing before, between or after them. A block's name is the file's path relative
// to the archive root with "\" between the levels (Windows-1252 in the block); its time
// stamp is the file's modification time. Folders have no entries; the next block starts at
// the current block's start + its block length.

class TBinaryDatas;

// An event of the archive: the sender and a text (a path, or a report whose placeholders
// the receiver fills).
using tStringEvent = std::function<void(TBinaryDatas& sender, const std::string& text)>;

// The archive carried by a frame. It holds the archive bytes in memory, or reads them
// where they lie (a region of the setup's own file), so that extracting keeps only one
// entry in memory at a time.
class TBinaryDatas {
  public:
    TBinaryDatas();
    TBinaryDatas(const TBinaryDatas&) = delete;
    TBinaryDatas& operator=(const TBinaryDatas&) = delete;

    // The archive bytes as a stream.
    TStream& Data() { return *data_; }
    void SetData(std::vector<std::uint8_t> bytes);
    // Reads the archive from a stream of its own (a file region) instead of memory.
    void SetDataStream(std::unique_ptr<TStream> stream);
    // The stored form in a form description: a 32-bit little-endian signed length N, then N
    // bytes (N <= 0: nothing follows).
    bool ReadData(TStream& description);
    bool WriteData(TStream& description);

    std::int64_t Size() const { return data_->Size(); }

    TLaufbalken* Laufbalken() const { return laufbalken_; }
    void SetLaufbalken(TLaufbalken* bar) { laufbalken_ = bar; }
    const tStringEvent& OnFileSaved() const { return onFileSaved_; }
    void SetOnFileSaved(tStringEvent handler) { onFileSaved_ = std::move(handler); }
    const tStringEvent& OnError() const { return onError_; }
    void SetOnError(tStringEvent handler) { onError_ = std::move(handler); }

    // Writes every file of the archive below dir (a folder path ending in "/"), asking
    // before an existing file is replaced. True when every entry was handled without a
    // failure; false after a header, unpack, folder, delete or write failure, a refused
    // entry name and when the user cancelled. Never throws.
    bool ExtractAll(const std::string& dir);

  private:
    class Extraction;

    std::unique_ptr<TStream> data_;
    TLaufbalken* laufbalken_ = nullptr;
    tStringEvent onFileSaved_;
    tStringEvent onError_;
};

}  // namespace tavo
