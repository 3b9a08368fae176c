#include "payload/block_stream.h"

#include <limits>
#include <new>

#include "foundation/cp1252.h"
#include "foundation/dialogs.h"
#include "foundation/log.h"
#include "foundation/stream_checksum.h"
#include "payload/block_head.h"
#include "payload/lzh_codec.h"

namespace tavo {
namespace {

constexpr std::int64_t kMaxBlockBytes = std::numeric_limits<std::int32_t>::max();

// A lack of memory, the codec's own or any other, ends the operation here; it goes no
// further up.
bool ReportNoMemory(const std::string& text) {
    WriteLog(text);
    ShowNoticeKind(text, kKindInformation);
    return false;
}

constexpr const char* kNoMemory = "Nicht genug Speicher für den Datenblock.";

bool WriteHeadAt(TStream& destination, std::int64_t at, const tmyHeadintern& head) {
    const auto raw = EncodeHead(head);
    return destination.Seek(at) && destination.WriteAll(raw.data(), raw.size());
}

bool PackInto(TStream& source, TStream& destination, bool append, const std::string& name,
              double timeStamp) {
    const auto storedName = ToCp1252(name);
    if (!storedName || storedName->size() > std::numeric_limits<std::uint16_t>::max()) {
        ShowNoticeKind("Der Name %a kann nicht im Datenblock gespeichert werden.|" + name,
                       kKindInformation);
        return false;
    }
    const std::int64_t size = source.Size();
    if (size > kMaxBlockBytes) {
        ShowNoticeKind("Die Daten sind zu groß für einen Datenblock.", kKindInformation);
        return false;
    }
    if (!append && !destination.Clear()) return false;

    const std::int64_t start = destination.Position();
    tmyHeadintern head;
    head.unpackedLength = static_cast<std::int32_t>(size);
    head.timeStamp = timeStamp;
    head.nameLength = static_cast<std::uint16_t>(storedName->size());
    head.checksum = StreamChecksum(source, true, true);
    const std::uint8_t terminator = 0;
    if (!WriteHeadAt(destination, start, head) ||
        !destination.WriteAll(storedName->data(), storedName->size()) ||
        !destination.WriteAll(&terminator, 1)) {
        WriteLog("PackStream: Datenblock nicht geschrieben");
        return false;
    }
    source.Seek(0);
    try {
        if (LzhEncode(source, destination) != LzhStatus::Ok) {
            WriteLog("PackStream: Datenblock nicht geschrieben");
            return false;
        }
    } catch (const ElzhException& e) {
        return ReportNoMemory(e.what());
    }
    const std::int64_t length = destination.Position() - start;
    if (length > kMaxBlockBytes) {
        ShowNoticeKind("Die Daten sind zu groß für einen Datenblock.", kKindInformation);
        return false;
    }
    head.blockLength = static_cast<std::int32_t>(length);
    if (!WriteHeadAt(destination, start, head)) return false;
    return destination.Seek(start + length);
}

bool UnpackFrom(TStream& source, TStream& destination, bool fromCurrentPosition) {
    destination.Clear();
    if (source.Size() < 5) return false;
    const std::int64_t start = fromCurrentPosition ? source.Position() : 0;
    source.Seek(start);
    tmyHeadintern head;
    if (!ReadHead(source, head)) {
        ShowNoticeKind("error unpack.head", kKindInformation);
        return false;
    }
    destination.ExpectSize(head.unpackedLength);
    LzhStatus status;
    try {
        status = LzhDecode(source, destination, head.unpackedLength, LzhInputEnd::Stop);
    } catch (const ElzhException& e) {
        return ReportNoMemory(e.what());
    }
    // The decoder may have taken up to two bytes of what follows the block.
    if (fromCurrentPosition) source.Seek(start + head.blockLength);
    if (status != LzhStatus::Ok) return false;
    if (head.checksum == 0) return true;
    return destination.Size() == head.unpackedLength &&
           StreamChecksum(destination, true, true) == head.checksum;
}

}  // namespace

bool PackStream(TStream& source, TStream& destination, bool append, const std::string& name,
                double timeStamp) {
    try {
        return PackInto(source, destination, append, name, timeStamp);
    } catch (const std::bad_alloc&) {
        return ReportNoMemory(kNoMemory);
    }
}

bool UnpackStream(TStream& source, TStream& destination, bool fromCurrentPosition) {
    try {
        return UnpackFrom(source, destination, fromCurrentPosition);
    } catch (const std::bad_alloc&) {
        return ReportNoMemory(kNoMemory);
    }
}

}  // namespace tavo
