#include "payload/binary_data.h"

#include <cmath>
#include <cstring>

#include "foundation/log.h"
#include "foundation/utf8.h"
#include "payload/block_head.h"
#include "payload/block_stream.h"
#include "payload/whole_file.h"

namespace tavo {
namespace {

constexpr std::int64_t kTextLimit = 9999;  // stored bytes up to which Text shows anything
constexpr std::size_t kTextChars = 2000;
constexpr std::string_view kCrLf = "\r\n";

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += kCrLf;
    }
    return text;
}

std::vector<std::uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()),
            reinterpret_cast<const std::uint8_t*>(text.data()) + text.size()};
}

std::int64_t ReadLe(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t size) {
    std::uint64_t v = 0;
    for (std::size_t k = size; k-- > 0;) v = (v << 8) | bytes[at + k];
    return size == 4 ? static_cast<std::int32_t>(v) : static_cast<std::int64_t>(v);
}

}  // namespace

bool TBinaryData::SetCompressed(bool value) {
    if (value == compressed_) return true;
    if (loading_) {
        compressed_ = value;
        return true;
    }
    TMemoryStream converted;
    const bool done = value ? PackStream(stored_, converted, false, "", 0)
                            : UnpackStream(stored_, converted, false);
    if (!done) {
        WriteLog(value ? "TBinaryData: Daten nicht gepackt" : "TBinaryData: Daten nicht entpackt");
        return false;
    }
    stored_.Assign(converted.TakeBytes());
    compressed_ = value;
    ContentChanged();
    return true;
}

void TBinaryData::SetTheData(std::vector<std::uint8_t> bytes) {
    stored_.Assign(std::move(bytes));
    ContentChanged();
}

bool TBinaryData::ReadTheData(TStream& description) {
    std::uint8_t raw[4];
    if (!description.ReadExact(raw, sizeof raw)) return false;
    const std::int32_t length = static_cast<std::int32_t>(
        raw[0] | (raw[1] << 8) | (raw[2] << 16) | (static_cast<std::uint32_t>(raw[3]) << 24));
    std::vector<std::uint8_t> bytes;
    if (length > 0) {
        // A length beyond the description is a damaged description, not a reason to
        // reserve gigabytes.
        if (length > description.Size() - description.Position()) return false;
        bytes.resize(static_cast<std::size_t>(length));
        if (!description.ReadExact(bytes.data(), bytes.size())) return false;
    }
    SetTheData(std::move(bytes));
    return true;
}

bool TBinaryData::WriteTheData(TStream& description) const {
    const auto length = static_cast<std::uint32_t>(DataSize());
    const std::uint8_t raw[4] = {
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
    return description.WriteAll(raw, sizeof raw) && description.WriteAll(TheData());
}

std::int64_t TBinaryData::DataSizeUnKomprimiert() {
    if (!compressed_) return DataSize();
    if (unpackedSize_ >= 0) return unpackedSize_;
    const auto& bytes = TheData();
    if (bytes.size() >= 9 && bytes[0] == kLegacyBlockMark) {
        unpackedSize_ = ReadLe(bytes, 1, 8);
    } else if (bytes.size() >= 16 && bytes[0] == static_cast<std::uint8_t>(kBlockMagic[0])) {
        unpackedSize_ = ReadLe(bytes, 12, 4);
    } else {
        return -1;
    }
    return unpackedSize_;
}

std::string TBinaryData::ratio() const {
    if (compressed_ && DataSize() > 8 && unpackedSize_ > 0) {
        const double percent = static_cast<double>(DataSize()) / unpackedSize_ * 100.0;
        return std::to_string(static_cast<std::int64_t>(std::nearbyint(percent))) + "%";
    }
    return "100%";
}

const std::vector<std::string>& TBinaryData::Lines() {
    const TMemoryStream& content = GetStream();
    lines_ = SplitLines(content.View());
    return lines_;
}

bool TBinaryData::SetLines(const std::vector<std::string>& lines) {
    stored_.Assign(BytesOf(JoinLines(lines)));
    extension_ = "txt";
    ContentChanged();
    if (!compressed_) return true;
    compressed_ = false;  // the plain text is packed as a new block
    return SetCompressed(true);
}

std::string TBinaryData::Text() {
    if (DataSize() > kTextLimit) return {};
    const std::string text = JoinLines(Lines());
    return text.substr(0, ByteOffsetOfChar(text, kTextChars));
}

std::string TBinaryData::GetAllText() {
    return JoinLines(Lines());
}

TMemoryStream& TBinaryData::GetStream() {
    if (!compressed_) {
        stored_.Seek(0);
        return stored_;
    }
    if (!unpacked_) unpacked_ = std::make_unique<TMemoryStream>();
    if (!UnpackStream(stored_, *unpacked_, false)) {
        // Part of a damaged block is no content to show.
        WriteLog("TBinaryData: Daten nicht entpackt");
        unpacked_->Clear();
    }
    unpacked_->Seek(0);
    return *unpacked_;
}

bool TBinaryData::SaveToFile(const std::string& fileName) {
    if (!compressed_) return WriteWholeFile(fileName, TheData());
    TMemoryStream content;
    if (!UnpackStream(stored_, content, false)) {
        WriteLog("SaveToFile: Daten nicht entpackt, nicht gespeichert: " + fileName);
        return false;
    }
    return WriteWholeFile(fileName, content.Bytes());
}

void TBinaryData::ContentChanged() {
    unpackedSize_ = -1;
    unpacked_.reset();
}

}  // namespace tavo
