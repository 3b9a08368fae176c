#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/stream.h"

namespace tavo::lzh {

// Buffered byte output to a stream; a refused write is remembered, not thrown.
class ByteSink {
  public:
    explicit ByteSink(TStream& out) : out_(out), buffer_(kChunk) {}
    void Put(std::uint8_t byte) {
        buffer_[used_++] = byte;
        if (used_ == buffer_.size()) Flush();
    }
    void Flush() {
        if (used_ > 0 && !out_.WriteAll(buffer_.data(), used_)) failed_ = true;
        used_ = 0;
    }
    bool Failed() const { return failed_; }

  private:
    static constexpr std::size_t kChunk = 1 << 16;
    TStream& out_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

// Buffered byte input from a stream's position to its end.
class ByteSource {
  public:
    explicit ByteSource(TStream& in) : in_(in), buffer_(kChunk) {}
    // The next byte, or -1 at the end.
    int Get() {
        if (next_ == end_ && !Fill()) return -1;
        return buffer_[next_++];
    }
    // Up to eight bytes at once when that many are buffered (for the bit reader).
    bool TakeEight(std::uint64_t& bigEndian) {
        if (end_ - next_ < 8) return false;
        std::uint64_t v = 0;
        for (int k = 0; k < 8; ++k) v = (v << 8) | buffer_[next_ + k];
        next_ += 8;
        bigEndian = v;
        return true;
    }

  private:
    bool Fill() {
        if (ended_) return false;
        next_ = 0;
        end_ = in_.Read(buffer_.data(), buffer_.size());
        ended_ = end_ == 0;
        return !ended_;
    }
    static constexpr std::size_t kChunk = 1 << 16;
    TStream& in_;
    std::vector<std::uint8_t> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
};

// Most-significant-bit-first output: the first bit written is the top bit of the first byte.
// The last byte is filled up with 0 bits by Finish.
class BitWriter {
  public:
    explicit BitWriter(ByteSink& out) : out_(out) {}
    // The length low bits of value (length 1..32).
    void Put(int length, std::uint32_t value) {
        bits_ = (bits_ << length) | value;
        count_ += length;
        while (count_ >= 8) {
            count_ -= 8;
            out_.Put(static_cast<std::uint8_t>(bits_ >> count_));
        }
    }
    void Finish() {
        if (count_ > 0) out_.Put(static_cast<std::uint8_t>(bits_ << (8 - count_)));
        count_ = 0;
    }

  private:
    ByteSink& out_;
    std::uint64_t bits_ = 0;
    int count_ = 0;  // bits held, below 8 between calls
};

// Most-significant-bit-first input. Behind the end of the input come 0 bits; PastEnd tells
// whether any of them has been taken.
class BitReader {
  public:
    explicit BitReader(ByteSource& in) : in_(in) {}
    int GetBit() {
        if (count_ == 0) Refill();
        const int bit = static_cast<int>(bits_ >> 63);
        bits_ <<= 1;
        --count_;
        return bit;
    }
    int GetByte() {
        if (count_ < 8) Refill();
        const int byte = static_cast<int>(bits_ >> 56);
        bits_ <<= 8;
        count_ -= 8;
        return byte;
    }
    bool PastEnd() const { return zeroBits_ > static_cast<std::uint64_t>(count_); }
    std::uint64_t BitsTaken() const { return bytesTaken_ * 8 - static_cast<std::uint64_t>(count_); }

  private:
    void Refill() {
        std::uint64_t eight;
        if (count_ == 0 && in_.TakeEight(eight)) {
            bits_ = eight;
            count_ = 64;
            bytesTaken_ += 8;
            return;
        }
        while (count_ <= 56) {
            int byte = in_.Get();
            if (byte < 0) {
                byte = 0;
                zeroBits_ += 8;
            }
            bits_ |= static_cast<std::uint64_t>(byte) << (56 - count_);
            count_ += 8;
            ++bytesTaken_;
        }
    }

    ByteSource& in_;
    std::uint64_t bits_ = 0;  // left-aligned
    int count_ = 0;
    std::uint64_t bytesTaken_ = 0;  // including the zero bytes behind the end
    std::uint64_t zeroBits_ = 0;
};

}  // namespace tavo::lzh
