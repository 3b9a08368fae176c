// LZH bit stream (LZSS with an adaptive Huffman code, the published LZHUF scheme):
//
//   window    4096-byte ring, starting as 4036 spaces (then zeros); the data enters at 4036
//   symbols   0..255 a literal byte, 256..313 a match of length symbol - 253 (3..60),
//             coded with the adaptive Huffman code of lzh_huffman.h
//   match     after its length symbol: distance back minus one (0..4094), its upper six bits
//             in the prefix code of lzh_constants.h, then its lower six bits
//   bits      most significant first; the last byte is filled up with 0 bits
//
// The stream carries no length of its own: the block header holds the number of bytes and
// the decoder stops when it has written that many. An empty input still codes one literal
// (the zero at window position 4036), which gives the two bytes C6 00.

#include "payload/lzh_codec.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <string>

#include "payload/lzh_bits.h"
#include "payload/lzh_constants.h"
#include "payload/lzh_huffman.h"
#include "payload/lzh_match_tree.h"

namespace tavo {
namespace {

using namespace lzh;

constexpr int kMask = kN - 1;

// Everything one run needs, allocated at once so that a lack of memory shows at the start.
template <class Run, class... Args>
std::unique_ptr<Run> AllocateRun(Args&... args) {
    try {
        return std::make_unique<Run>(args...);
    } catch (const std::bad_alloc&) {
        throw ElzhException(std::string(kLzhNoMemory));
    }
}

class EncoderRun {
  public:
    EncoderRun(TStream& source, TStream& destination)
        : in_(source), sink_(destination), bits_(sink_) {}

    LzhStatus Run() {
        tree_.Start();
        code_.Start();
        int s = 0;
        int r = kWindowStart;
        int len = 0;
        for (int c; len < kF && (c = in_.Get()) >= 0; ++len)
            tree_.Put(r + len, static_cast<std::uint8_t>(c));
        // The strings of spaces before the data are matches too.
        for (int i = 1; i <= kF; ++i) tree_.Insert(r - i);
        tree_.Insert(r);
        do {
            if (tree_.matchLength > len) tree_.matchLength = len;
            if (tree_.matchLength <= kThreshold) {
                tree_.matchLength = 1;
                EncodeSymbol(tree_.At(r));
            } else {
                EncodeSymbol(255 - kThreshold + tree_.matchLength);
                EncodePosition(tree_.matchPosition);
            }
            const int last = tree_.matchLength;
            int i = 0;
            for (int c; i < last && (c = in_.Get()) >= 0; ++i) {
                tree_.Delete(s);
                tree_.Put(s, static_cast<std::uint8_t>(c));
                s = (s + 1) & kMask;
                r = (r + 1) & kMask;
                tree_.Insert(r);
            }
            // The input has ended: the look-ahead runs dry.
            for (; i < last; ++i) {
                tree_.Delete(s);
                s = (s + 1) & kMask;
                r = (r + 1) & kMask;
                if (--len != 0) tree_.Insert(r);
            }
            if (sink_.Failed()) return LzhStatus::WriteFailed;
        } while (len > 0);
        bits_.Finish();
        sink_.Flush();
        return sink_.Failed() ? LzhStatus::WriteFailed : LzhStatus::Ok;
    }

  private:
    void EncodeSymbol(int symbol) {
        std::uint32_t code;
        const int length = code_.CodeOf(symbol, code);
        bits_.Put(length, code);
        code_.Update(symbol);
    }

    void EncodePosition(int position) {
        const int upper = position >> 6;
        const int length = kPositionCode.length[upper];
        bits_.Put(length, kPositionCode.code[upper] >> (8 - length));
        bits_.Put(6, static_cast<std::uint32_t>(position & 0x3F));
    }

    ByteSource in_;
    ByteSink sink_;
    BitWriter bits_;
    MatchTree tree_;
    Huffman code_;
};

class DecoderRun {
  public:
    DecoderRun(TStream& source, TStream& destination)
        : source_(source), start_(source.Position()), in_(source), bits_(in_), sink_(destination) {}

    LzhStatus Run(std::int64_t count, LzhInputEnd atEnd) {
        code_.Start();
        text_.fill(0);
        std::fill(text_.begin(), text_.begin() + kWindowStart, ' ');
        const bool stopAtEnd = atEnd == LzhInputEnd::Stop;
        int r = kWindowStart;
        std::int64_t done = 0;
        while (done < count && !sink_.Failed()) {
            const int c = code_.Decode(bits_);
            code_.Update(c);
            if (c < 256) {
                if (stopAtEnd && bits_.PastEnd()) break;
                Emit(static_cast<std::uint8_t>(c), r);
                ++done;
                continue;
            }
            const int position = DecodePosition();
            if (stopAtEnd && bits_.PastEnd()) break;
            // Byte by byte, so that a match may overlap the bytes it produces.
            const int from = (r - position - 1) & kMask;
            const int length = c - 255 + kThreshold;
            for (int k = 0; k < length && done < count; ++k, ++done)
                Emit(text_[(from + k) & kMask], r);
        }
        sink_.Flush();
        LeaveSource();
        if (sink_.Failed()) return LzhStatus::WriteFailed;
        return bits_.PastEnd() ? LzhStatus::InputEnded : LzhStatus::Ok;
    }

  private:
    void Emit(std::uint8_t byte, int& r) {
        sink_.Put(byte);
        text_[r] = byte;
        r = (r + 1) & kMask;
    }

    int DecodePosition() {
        int i = bits_.GetByte();
        const int upper = kPositionCode.decodedValue[i] << 6;
        for (int j = kPositionCode.decodedLength[i] - 2; j > 0; --j) i = (i << 1) + bits_.GetBit();
        return upper | (i & 0x3F);
    }

    // Where a reader taking one byte whenever it held 8 bits or fewer would stand: the last
    // read is always a single bit, taken after b - 1 bits, when that reader had read
    // (b - 1) / 8 + 2 bytes.
    void LeaveSource() {
        const std::uint64_t taken = bits_.BitsTaken();
        const auto bytes = static_cast<std::int64_t>(taken == 0 ? 0 : (taken - 1) / 8 + 2);
        const std::int64_t end = std::max(start_, source_.Size());
        source_.Seek(std::min(start_ + bytes, end));
    }

    TStream& source_;
    const std::int64_t start_;
    ByteSource in_;
    BitReader bits_;
    ByteSink sink_;
    Huffman code_;
    std::array<std::uint8_t, kN> text_{};
};

}  // namespace

LzhStatus LzhEncode(TStream& source, TStream& destination) {
    return AllocateRun<EncoderRun>(source, destination)->Run();
}

LzhStatus LzhDecode(TStream& source, TStream& destination, std::int64_t count, LzhInputEnd atEnd) {
    return AllocateRun<DecoderRun>(source, destination)->Run(count, atEnd);
}

}  // namespace tavo
