#include "ui/file_images.h"

#include <QApplication>
#include <QStyle>
#include <map>

#include "ui/drive_items.h"

namespace tavo {
namespace {

const std::map<std::string, int>& KindImages() {
    static const std::map<std::string, int> images = [] {
        const std::pair<int, const char*> groups[] = {
            {11, "HTM HTML PHP"},
            {12, "DOK TXT NFO"},
            {13, "JPG JPEG JPE PNG"},
            {14, "BMP ICO GIF PCX TGA TIF"},
            {15, "669 MID MOD MP2 MP3 RAW SND VOC WAV"},
            {16, "ASF AVI FLI MOV MPG MPEG RAM RM VIV WMV"},
            {17, "EXE COM BAT PIF"},
            {18, "ACE ARJ CAB RAR ZIP"},
            {20, "REG RGD"},
            {21, "CFG INF INI"},
            {22, "CDT BODY"},
            {23, "BIN OCX DLL SYS"},
            {25, "DOC DOT"},
            {26, "XLS XLT"},
            {27, "PDF"},
        };
        std::map<std::string, int> out;
        for (const auto& [index, kinds] : groups) {
            std::string kind;
            for (const char* p = kinds;; ++p) {
                if (*p == ' ' || *p == '\0') {
                    out[kind] = index;
                    kind.clear();
                    if (*p == '\0') break;
                } else {
                    kind += *p;
                }
            }
        }
        return out;
    }();
    return images;
}

QStyle::StandardPixmap PixmapOf(int index) {
    switch (index) {
        case kImageFolder:
            return QStyle::SP_DirIcon;
        case kImageShareOrOther:
        case kImageNetwork:
            return QStyle::SP_DriveNetIcon;
        case kImageRemovable:
            return QStyle::SP_DriveFDIcon;
        case kImageFixed:
        case kImageRamDisk:
            return QStyle::SP_DriveHDIcon;
        case kImageCdRom:
            return QStyle::SP_DriveCDIcon;
        case 17:
            return QStyle::SP_ComputerIcon;
        default:
            return QStyle::SP_FileIcon;
    }
}

}  // namespace

int FileImageIndex(const std::string& name, bool isFolder) {
    if (isFolder) return kImageFolder;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return kImageFile;
    std::string kind = name.substr(dot + 1);
    for (char& c : kind)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const auto found = KindImages().find(kind);
    return found == KindImages().end() ? kImageFile : found->second;
}

QIcon FileImage(int index) {
    if (index < 0 || index >= kFileImageCount) return {};
    return QApplication::style()->standardIcon(PixmapOf(index));
}

}  // namespace tavo
