#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_fd.h"

namespace tavo {

// A byte stream with a position: what the data blocks, the codec and the checksum read and
// write. Positions are absolute and never negative; a position beyond the end reads nothing
// and a write there fills the gap with zeros. Failures are results: short counts and false.
class TStream {
  public:
    virtual ~TStream() = default;

    virtual std::int64_t Size() const = 0;
    virtual std::int64_t Position() const = 0;
    // False (position unchanged) for a negative position.
    virtual bool Seek(std::int64_t position) = 0;
    // Up to count bytes from the position; fewer at the end or on failure.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // The bytes written at the position; fewer when the stream refuses them.
    virtual std::size_t Write(const void* data, std::size_t count) = 0;
    // Cuts or extends the stream; a position beyond the new end moves to it.
    virtual bool SetSize(std::int64_t size) = 0;

    // Exactly count bytes or false (the position then stands after what could be read).
    bool ReadExact(void* buffer, std::size_t count);
    bool WriteAll(const void* data, std::size_t count);
    bool WriteAll(std::span<const std::uint8_t> data) { return WriteAll(data.data(), data.size()); }
    // Empties the stream and sets it to position 0.
    bool Clear();
    // A hint that about size bytes will be written, so that a stream in memory takes them
    // at once instead of growing (and copying) step by step. Nothing else changes.
    virtual void ExpectSize(std::int64_t /*size*/) {}
};

// A stream held in memory.
class TMemoryStream final : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}
    explicit TMemoryStream(std::string_view bytes);

    std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }
    std::int64_t Position() const override { return position_; }
    bool Seek(std::int64_t position) override;
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* data, std::size_t count) override;
    bool SetSize(std::int64_t size) override;
    void ExpectSize(std::int64_t size) override;

    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    std::string_view View() const {
        return {reinterpret_cast<const char*>(data_.data()), data_.size()};
    }
    // Takes the given bytes as the whole content, position 0.
    void Assign(std::vector<std::uint8_t> bytes);
    // Hands the content over and leaves the stream empty.
    std::vector<std::uint8_t> TakeBytes();

  private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

// A stream over a file, or over one region of a file (read only), so that a block can be
// read where it lies without loading the file.
class TFileStream final : public TStream {
  public:
    enum class Mode { Read, Create, CreateNew, ReadWrite };

    // Null when the file cannot be opened. Create makes it empty (mode 0644); CreateNew
    // only makes a file that does not exist yet.
    static std::unique_ptr<TFileStream> Open(const std::string& path, Mode mode);
    // The bytes offset .. offset + length - 1 of a file, seen as a stream of its own that
    // starts at 0; a region reaching beyond the file ends with the file. Null when the file
    // cannot be opened or the offset is negative.
    static std::unique_ptr<TFileStream> OpenRegion(const std::string& path, std::int64_t offset,
                                                   std::int64_t length);

    std::int64_t Size() const override;
    std::int64_t Position() const override { return position_; }
    bool Seek(std::int64_t position) override;
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* data, std::size_t count) override;
    bool SetSize(std::int64_t size) override;
    // Makes the written bytes durable before the file is put in place of another.
    bool Sync();

  private:
    struct Key {
        explicit Key() = default;
    };

  public:
    TFileStream(Key, platform::UniqueFd fd, bool writable, std::int64_t base, std::int64_t limit);

  private:
    platform::UniqueFd fd_;
    bool writable_;
    std::int64_t base_;   // offset of position 0 in the file
    std::int64_t limit_;  // length of a region, -1 for the whole file
    std::int64_t position_ = 0;
};

}  // namespace tavo
