#include "shell/client_library_file.h"

#include <optional>

#include "db/client_library.h"
#include "foundation/app_info.h"
#include "foundation/file_ops.h"
#include "payload/payload_frames.h"
#include "shell/installed_product.h"
#include "shell/setup_state.h"
#include "shell/stop_with_message.h"

namespace tavo {
namespace {

bool IsAcceptedSize(std::int64_t size, std::optional<std::int64_t> carriedSize) {
    return size == kCarriedLibrarySize || size == kOlderLibrarySize ||
           (carriedSize && size == *carriedSize);
}

// The unpacked size of the carried library, read from its block header.
std::optional<std::int64_t> CarriedLibrarySize() {
    Tframe_data_libmysql frame;
    if (!frame.Loaded()) return std::nullopt;
    const std::int64_t size = frame.libmySQL.DataSizeUnKomprimiert();
    if (size < 0) return std::nullopt;
    return size;
}

// An existing file of an accepted size that loads as a library is kept, loaded.
bool KeptExistingLibrary(const std::string& path) {
    const std::int64_t size = FileSizeOf(path);
    if (size < 0 || !IsAcceptedSize(size, CarriedLibrarySize())) return false;
    return LoadClientLibrary(path) != ClientLibraryStateCode::NotFound;
}

bool WriteCarriedLibrary(const std::string& path) {
    Tframe_data_libmysql frame;
    return frame.Loaded() && frame.libmySQL.SaveToFile(path) && FileExistsW(path);
}

// Replaces whatever lies at path by the carried library; false after a fatal message.
bool ReplaceLibrary(const std::string& path) {
    UnloadClientLibrary();
    if (FileExistsW(path) && !myDeleteFileW(path)) {
        StopWithMessage(
            "Die Datei %a ist ungültig und konnte nicht gelöscht werden. Bitte von Hand "
            "löschen.|" +
                path,
            true);
        return false;
    }
    if (!WriteCarriedLibrary(path)) {
        StopWithMessage(
            "Konnte %a nicht unter %b speichern|" + ClientLibraryFileName() + "|" + AppInfo.TempDir,
            true);
        return false;
    }
    LoadClientLibrary(path);
    return true;
}

}  // namespace

std::string ClientLibraryPath() {
    return AppInfo.TempDir + ClientLibraryFileName();
}

bool EnsureClientLibrary() {
    if (SetupState.clientLibraryLoaded) return true;
    const std::string path = ClientLibraryPath();
    if (!KeptExistingLibrary(path) && !ReplaceLibrary(path)) return false;
    if (ClientLibraryState() == ClientLibraryStateCode::Ready) {
        SetupState.clientLibraryLoaded = true;
        return true;
    }
    StopWithMessage("Laden von %a nicht erfolgreich. Bitte von Hand löschen.|" + path, true);
    return false;
}

}  // namespace tavo
