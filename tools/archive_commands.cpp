#include "tools/archive_commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "foundation/dialogs.h"
#include "foundation/file_ops.h"
#include "foundation/folder_ops.h"
#include "foundation/stream.h"
#include "foundation/translate.h"
#include "payload/archive_names.h"
#include "payload/binary_datas.h"
#include "payload/block_head.h"
#include "payload/block_stream.h"
#include "payload/whole_file.h"
#include "tools/block_commands.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

int Fail(std::ostream& err, const std::string& command, const std::string& text) {
    err << "tavopack: archive " << command << ": " << text << "\n";
    return 1;
}

// Notices of the block operations become the reason a failed command prints; questions
// are answered like Esc, so nothing is ever replaced without being asked.
class NoticeCollector {
  public:
    NoticeCollector()
        : old_(SetPromptHandler([this](const DialogRequest& request) {
              last_ = request.text;
              return request.EscapeResult();
          })) {}
    ~NoticeCollector() { SetPromptHandler(std::move(old_)); }
    NoticeCollector(const NoticeCollector&) = delete;
    NoticeCollector& operator=(const NoticeCollector&) = delete;

    std::string Reason(const std::string& fallback) const {
        return last_.empty() ? fallback : last_;
    }

  private:
    PromptHandler old_;
    std::string last_;
};

// The files below folder as relative native paths: a folder's files in name order, then
// its subfolders in name order. Anything that is neither a file nor a folder is an error,
// so that no file of the tree is left out unnoticed.
bool CollectFiles(const fs::path& root, const std::string& relative,
                  std::vector<std::string>& files, std::string& problem) {
    std::error_code ec;
    std::vector<std::string> names, folders;
    for (const auto& item : fs::directory_iterator(root / relative, ec)) {
        const std::string name = item.path().filename().string();
        const std::string path = relative.empty() ? name : relative + "/" + name;
        const auto status = item.symlink_status(ec);
        if (fs::is_directory(status)) {
            folders.push_back(path);
        } else if (item.is_regular_file(ec)) {
            names.push_back(path);
        } else {
            problem = "Keine Datei und kein Verzeichnis: " + (root / path).string();
            return false;
        }
    }
    if (ec) {
        problem = "Das Verzeichnis " + (root / relative).string() + " kann nicht gelesen werden.";
        return false;
    }
    std::sort(names.begin(), names.end());
    std::sort(folders.begin(), folders.end());
    files.insert(files.end(), names.begin(), names.end());
    for (const auto& folder : folders)
        if (!CollectFiles(root, folder, files, problem)) return false;
    return true;
}

// The archive is written beside OUT and put in its place when complete.
class PendingFile {
  public:
    explicit PendingFile(std::string target)
        : target_(std::move(target)), temp_(target_ + ".tavopack~") {
        stream_ = TFileStream::Open(temp_, TFileStream::Mode::Create);
    }
    ~PendingFile() {
        if (!done_) std::remove(temp_.c_str());
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    TFileStream* Stream() { return stream_.get(); }
    bool Commit() {
        if (!stream_ || !stream_->Sync()) return false;
        stream_.reset();
        done_ = std::rename(temp_.c_str(), target_.c_str()) == 0;
        return done_;
    }

  private:
    std::string target_, temp_;
    std::unique_ptr<TFileStream> stream_;
    bool done_ = false;
};

int Create(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() != 2) return -1;
    const std::string dir = NormalizeFolder(args[0]);
    if (!FolderExists(dir)) return Fail(err, "create", "Verzeichnis fehlt: " + dir);
    std::vector<std::string> files;
    std::string problem;
    if (!CollectFiles(fs::path(dir), "", files, problem)) return Fail(err, "create", problem);
    PendingFile out(args[1]);
    if (!out.Stream())
        return Fail(err, "create", "Die Datei " + args[1] + " kann nicht geschrieben werden.");
    const NoticeCollector notices;
    for (const auto& file : files) {
        const auto name = EntryNameOf(file);
        if (!name) return Fail(err, "create", "Ungültiger Dateiname im Archiv: " + file);
        auto bytes = ReadWholeFile(dir + file);
        if (!bytes)
            return Fail(err, "create", "Die Datei " + dir + file + " kann nicht gelesen werden.");
        TMemoryStream source(std::move(*bytes));
        if (!PackStream(source, *out.Stream(), true, *name, FileTimeOf(dir + file, true)))
            return Fail(err, "create",
                        notices.Reason("Der Datenblock kann nicht erstellt werden.") + ": " + file);
    }
    if (!out.Commit())
        return Fail(err, "create", "Die Datei " + args[1] + " kann nicht geschrieben werden.");
    return 0;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return -1;
    auto file = TFileStream::Open(args[0], TFileStream::Mode::Read);
    if (!file) return Fail(err, "list", "Die Datei " + args[0] + " kann nicht gelesen werden.");
    const NoticeCollector notices;
    const std::int64_t size = file->Size();
    while (file->Position() < size) {
        const std::int64_t start = file->Position();
        tmyHeadintern head;
        if (!ReadHead(*file, head) || head.version != 1 || start + head.blockLength > size)
            return Fail(err, "list",
                        "Fehler beim Entpacken (Kopf) bei Byte " + std::to_string(start));
        const auto path = NativeEntryPath(head.name);
        if (!path) return Fail(err, "list", "Ungültiger Dateiname im Archiv: " + head.name);
        out << head.unpackedLength << '\t' << head.blockLength << '\t' << *path << '\n';
        file->Seek(start + head.blockLength);
    }
    return 0;
}

int Extract(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() != 2) return -1;
    auto file = TFileStream::Open(args[0], TFileStream::Mode::Read);
    if (!file) return Fail(err, "extract", "Die Datei " + args[0] + " kann nicht gelesen werden.");
    const std::string dir = NormalizeFolder(args[1]);
    if (!ForceFolder(dir)) return Fail(err, "extract", "Kann Verzeichnis nicht anlegen: " + dir);
    const NoticeCollector notices;
    TBinaryDatas archive;
    archive.SetDataStream(std::move(file));
    archive.SetOnError([&err](TBinaryDatas&, const std::string& text) {
        Fail(err, "extract", TranslateText(text));
    });
    return archive.ExtractAll(dir) ? 0 : 1;
}

}  // namespace

std::string ArchiveUsage() {
    return "       tavopack archive create DIR OUT\n"
           "       tavopack archive list IN\n"
           "       tavopack archive extract IN DIR\n";
}

int RunArchiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int result = -1;
    if (!args.empty()) {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "create") result = Create(rest, err);
        if (args[0] == "list") result = List(rest, out, err);
        if (args[0] == "extract") result = Extract(rest, err);
    }
    if (result >= 0) return result;
    err << BlockUsage() << ArchiveUsage();
    return 2;
}

}  // namespace tavo
