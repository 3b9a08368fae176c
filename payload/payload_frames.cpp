#include "payload/payload_frames.h"

#include <array>
#include <filesystem>
#include <optional>

#include "foundation/log.h"
#include "payload/payload_container.h"
#include "platform/folders.h"
#include "platform/program_mode.h"

namespace tavo {
namespace {

// Process-wide like the program's own file it stands for.
std::string& SourceOverride() {
    static std::string file;
    return file;
}

struct BlockKind {
    const char* component;
    bool compressed;
    const char* extension;
};

// The stored form of every data block payload.
constexpr std::array<BlockKind, 6> kBlockKinds{{
    {"data", false, "EXE"},
    {"libmySQL", true, "DLL"},
    {"logo_quer", true, "BMP"},
    {"LizenzDaten", true, "TXT"},
    {"DataGPL", true, "txt"},
    {"DataGPLde", true, "txt"},
}};

const BlockKind* FindKind(const std::string& component) {
    for (const auto& kind : kBlockKinds)
        if (component == kind.component) return &kind;
    return nullptr;
}

std::optional<std::vector<std::uint8_t>> ReadPayload(const std::string& name) {
    const auto container = PayloadContainer::Open(PayloadSourceFile());
    if (!container) return std::nullopt;
    const auto stream = container->OpenPayload(name);
    if (!stream) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream->Size()));
    if (!stream->ReadExact(bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

}  // namespace

std::string PayloadSourceFile() {
    return SourceOverride().empty() ? platform::ProgramFile() : SourceOverride();
}

void SetPayloadSourceFile(std::string executable) {
    SourceOverride() = std::move(executable);
}

bool LoadSmallBlock(const std::string& component, TBinaryData& block) {
    const BlockKind* kind = FindKind(component);
    if (!kind) return false;
    auto bytes = ReadPayload(component);
    if (!bytes) {
        WriteLog("Payload fehlt: " + component);
        return false;
    }
    // The bytes arrive in their stored form, as from a form description.
    block.SetLoading(true);
    block.SetCompressed(kind->compressed);
    block.SetExtension(kind->extension);
    block.SetTheData(std::move(*bytes));
    block.SetLoading(false);
    return true;
}

TFrame_Data_prog::TFrame_Data_prog() : loaded_(LoadSmallBlock("data", data)) {}

Tframe_data_libmysql::Tframe_data_libmysql() : loaded_(LoadSmallBlock("libmySQL", libmySQL)) {}

TFrame_Data_MySQL::TFrame_Data_MySQL() {
    const auto container = PayloadContainer::Open(PayloadSourceFile());
    auto stream = container ? container->OpenPayload("mysql") : nullptr;
    if (!stream) {
        WriteLog("Payload fehlt: mysql");
        return;
    }
    mysql.SetDataStream(std::move(stream));
    loaded_ = true;
}

bool SaveMainProgram(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)) &&
        !std::filesystem::remove(path, ec)) {
        WriteLog("SaveMainProgram: nicht löschbar: " + path);
        return false;
    }
    TFrame_Data_prog frame;
    return frame.Loaded() && frame.data.SaveToFile(path) &&
           platform::MarkProgramExecutable(path, frame.data.TheData());
}

}  // namespace tavo
