#include "payload/binary_datas.h"

#include <array>
#include <exception>
#include <limits>

#include "foundation/dialogs.h"
#include "foundation/file_ops.h"
#include "foundation/folder_ops.h"
#include "foundation/log.h"
#include "foundation/number_text.h"
#include "foundation/process_messages.h"
#include "payload/archive_names.h"
#include "payload/block_head.h"
#include "payload/block_stream.h"
#include "payload/whole_file.h"
#include "platform/program_mode.h"

namespace tavo {
namespace {

constexpr const char* kOverwriteButtons =
    "Überschreiben|Alle Überschreiben|Überspringen|Alle Überspringen|Abbrechen";
constexpr int kOverwrite = 0, kOverwriteAll = 1, kSkip = 2, kSkipAll = 3;

enum class Step { Next, Stop };

}  // namespace

// One run of ExtractAll: the remembered answers, the entry buffer and the reports.
class TBinaryDatas::Extraction {
  public:
    Extraction(TBinaryDatas& owner, std::string dir) : owner_(owner), dir_(std::move(dir)) {}

    bool Run() {
        TStream& archive = *owner_.data_;
        const std::int64_t size = archive.Size();
        if (owner_.laufbalken_) owner_.laufbalken_->SetPosition(0);
        archive.Seek(0);
        while (archive.Position() < size) {
            if (Entry(archive) == Step::Stop) break;
            if (owner_.laufbalken_)
                owner_.laufbalken_->SetPosition(static_cast<double>(archive.Position()) /
                                                static_cast<double>(size));
        }
        entry_.Clear();
        archive.Seek(0);
        return result_;
    }

  private:
    Step Entry(TStream& archive) {
        const std::int64_t start = archive.Position();
        tmyHeadintern head;
        // A block without a length of its own (the legacy form) cannot say where the next
        // entry starts.
        if (!ReadHead(archive, head) || head.version != 1)
            return Fail("Fehler beim Entpacken (Kopf)", "TPacks.Fehler beim Entpacken (Kopf)",
                        bi_none);
        const auto relative = NativeEntryPath(head.name);
        if (!relative || !StaysInside(dir_, *relative))
            return Fail("Ungültiger Dateiname im Archiv: %a|" + head.name,
                        "TPacks.Fehler: Ungültiger Dateiname im Archiv: " + head.name, bi_save);
        const std::string path = dir_ + *relative;
        archive.Seek(start);
        if (!UnpackStream(archive, entry_, true))
            return Fail("Fehler beim Entpacken (Datei) " + path,
                        "TPacks.Fehler beim Entpacken (Datei) " + path, bi_save);
        archive.Seek(start + head.blockLength);
        try {
            return Place(path);
        } catch (...) {
            result_ = false;
            Report("Schreibfehler: %a|" + path);
            return Step::Next;
        }
    }

    Step Place(const std::string& path) {
        const std::string folder = FolderOfPath(path);
        if (!ForceFolder(folder))
            return Fail("Kann Verzeichnis nicht anlegen: %a|" + folder,
                        "TPacks.Fehler: Kann Verzeichnis nicht anlegen: " + folder, bi_save);
        if (!FileExistsW(path)) return Write(path);
        switch (Answer(path)) {
            case kOverwriteAll:
                overwriteAll_ = true;
                [[fallthrough]];
            case kOverwrite:
                if (!myDeleteFileW(path))
                    return Fail("Kann Datei nicht löschen: %a|" + path,
                                "TPacks.Fehler: Kann Datei nicht löschen: " + path, bi_save);
                return Write(path);
            case kSkipAll:
                skipAll_ = true;
                [[fallthrough]];
            case kSkip:
                Report("Datei übersprungen: %a|" + path);
                return Step::Next;
            default:
                result_ = false;
                Report("Die Datei %a existiert bereits. Benutzer hat abgebrochen.|" + path);
                return Step::Stop;
        }
    }

    int Answer(const std::string& path) {
        if (overwriteAll_) return kOverwrite;
        if (skipAll_) return kSkip;
        return AskUser("Die Datei %a\r\n(%b Byte) existiert bereits.\r\n(neue Datei: %c Byte)|" +
                           path + "|" + GroupedInt(FileSizeOf(path), true) + "|" +
                           GroupedInt(entry_.Size(), true),
                       kKindWarning, kOverwriteButtons, bi_save);
    }

    // A write failure ends only this entry.
    Step Write(const std::string& path) {
        if (!WriteWholeFile(path, entry_.Bytes()) ||
            !platform::MarkProgramExecutable(path, entry_.Bytes())) {
            result_ = false;
            Report("Schreibfehler: %a|" + path);
            return Step::Next;
        }
        if (owner_.onFileSaved_) owner_.onFileSaved_(owner_, path);
        ProcessMessages();
        return Step::Next;
    }

    // Failures that end the extraction reach the owner's handler, or else the user.
    Step Fail(const std::string& report, const std::string& notice, tbild picture) {
        result_ = false;
        WriteLog("ExtractAll: " + report);
        if (owner_.onError_)
            owner_.onError_(owner_, report);
        else
            ShowNotice(notice, picture);
        return Step::Stop;
    }

    // Skips, cancels and write failures go only to a handler.
    void Report(const std::string& text) {
        WriteLog("ExtractAll: " + text);
        if (owner_.onError_) owner_.onError_(owner_, text);
    }

    TBinaryDatas& owner_;
    const std::string dir_;
    TMemoryStream entry_;
    bool overwriteAll_ = false;
    bool skipAll_ = false;
    bool result_ = true;
};

TBinaryDatas::TBinaryDatas() : data_(std::make_unique<TMemoryStream>()) {}

void TBinaryDatas::SetData(std::vector<std::uint8_t> bytes) {
    data_ = std::make_unique<TMemoryStream>(std::move(bytes));
}

void TBinaryDatas::SetDataStream(std::unique_ptr<TStream> stream) {
    data_ = stream ? std::move(stream) : std::make_unique<TMemoryStream>();
}

bool TBinaryDatas::ReadData(TStream& description) {
    std::array<std::uint8_t, 4> raw{};
    if (!description.ReadExact(raw.data(), raw.size())) return false;
    const auto length = static_cast<std::int32_t>(raw[0] | (raw[1] << 8) | (raw[2] << 16) |
                                                  (static_cast<std::uint32_t>(raw[3]) << 24));
    std::vector<std::uint8_t> bytes;
    if (length > 0) {
        if (length > description.Size() - description.Position()) return false;
        bytes.resize(static_cast<std::size_t>(length));
        if (!description.ReadExact(bytes.data(), bytes.size())) return false;
    }
    SetData(std::move(bytes));
    return true;
}

bool TBinaryDatas::WriteData(TStream& description) {
    const std::int64_t size = Size();
    if (size > std::numeric_limits<std::int32_t>::max()) return false;
    const auto length = static_cast<std::uint32_t>(size);
    const std::uint8_t raw[4] = {
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
    if (!description.WriteAll(raw, sizeof raw) || !data_->Seek(0)) return false;
    std::array<std::uint8_t, 64 * 1024> chunk{};
    std::int64_t left = size;
    while (left > 0) {
        const std::size_t got = data_->Read(chunk.data(), chunk.size());
        if (got == 0 || !description.WriteAll(chunk.data(), got)) return false;
        left -= static_cast<std::int64_t>(got);
    }
    data_->Seek(0);
    return true;
}

bool TBinaryDatas::ExtractAll(const std::string& dir) {
    if (Size() == 0) return true;
    try {
        return Extraction(*this, dir).Run();
    } catch (const std::exception& e) {
        WriteLog(std::string("ExtractAll: ") + e.what());
    } catch (...) {
        WriteLog("ExtractAll: unbekannter Fehler");
    }
    data_->Seek(0);
    return false;
}

}  // namespace tavo
