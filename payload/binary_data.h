#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/stream.h"

namespace tavo {

// A data block carried by a form or frame: a file's bytes, plain or as a compressed block
// (block_head.h). The block keeps the stored bytes as they are; the unpacked view and the
// line list are made from them on demand and stay owned by the block.
class TBinaryData {
  public:
    TBinaryData() = default;
    TBinaryData(const TBinaryData&) = delete;
    TBinaryData& operator=(const TBinaryData&) = delete;

    // While the owning form loads its description, Compressed only records the flag: the
    // stored bytes arrive afterwards as they are.
    void SetLoading(bool loading) { loading_ = loading; }

    bool Compressed() const { return compressed_; }
    // Packs or unpacks the stored bytes. False when that fails; the block is then unchanged.
    bool SetCompressed(bool value);

    const std::string& Extension() const { return extension_; }
    void SetExtension(std::string extension) { extension_ = std::move(extension); }

    // The stored bytes, and their stored form in a form description: a 32-bit little-endian
    // signed length N, then N bytes (N <= 0: nothing follows).
    const std::vector<std::uint8_t>& TheData() const { return stored_.Bytes(); }
    void SetTheData(std::vector<std::uint8_t> bytes);
    bool ReadTheData(TStream& description);
    bool WriteTheData(TStream& description) const;

    std::int64_t DataSize() const { return stored_.Size(); }
    // The unpacked size; -1 when a compressed block's header does not tell it.
    std::int64_t DataSizeUnKomprimiert();
    // Stored size as a percentage of the unpacked size ("38%"), "100%" until that is known.
    std::string ratio() const;

    // The content as text lines (split at CR LF, CR or LF).
    const std::vector<std::string>& Lines();
    // Replaces the content by the lines (each followed by CR LF); the extension becomes
    // "txt", a compressed block stays compressed.
    bool SetLines(const std::vector<std::string>& lines);
    // The first 2,000 characters of the text; empty for 10,000 stored bytes or more.
    std::string Text();
    // All lines, each followed by CR LF.
    std::string GetAllText();

    // The content at position 0: unpacked afresh for a compressed block (empty when the
    // block cannot be unpacked), else the stored bytes themselves.
    TMemoryStream& GetStream();
    // Writes the content to a file; false, and no file, when the block cannot be unpacked or
    // written. An existing file is replaced only by a complete one.
    bool SaveToFile(const std::string& fileName);

  private:
    void ContentChanged();

    TMemoryStream stored_;
    std::unique_ptr<TMemoryStream> unpacked_;
    std::vector<std::string> lines_;
    bool compressed_ = false;
    bool loading_ = false;
    std::string extension_;
    std::int64_t unpackedSize_ = -1;
};

}  // namespace tavo
