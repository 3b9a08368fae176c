#include "foundation/links.h"

#include "foundation/dialogs.h"
#include "foundation/folder_ops.h"
#include "foundation/log.h"
#include "foundation/text.h"
#include "platform/desktop_entry.h"
#include "platform/folders.h"
#include "platform/names.h"
#include "platform/root.h"

namespace tavo {

bool CreateWinLink(const std::string& target, const std::string& linkPath,
                   const std::string& workingFolder, const std::string& parameters) {
    WriteLog("CreateWinLink: PathObj:" + target + " PathLink:" + linkPath +
             " WorkDir:" + workingFolder + " Paremeter:" + parameters);
    const std::string extension(platform::kLinkExtension);
    if (!EndsWithCI(linkPath, extension)) {
        ReportInternalError("CreateWinLink: " + target + " - " + linkPath + " Endung " +
                            UpperCase(extension) + " fehlt");
        return false;
    }
    // A link needs a folder of its own; one for a special folder this platform lacks
    // would otherwise land in the working folder of the setup.
    const std::string folder = FolderOfPath(linkPath);
    if (linkPath[0] != '/' || !FolderExists(folder)) return false;
    std::string work = workingFolder;
    if (work.size() > 3 && work.back() == '/') work.pop_back();
    std::string name = FileNameOfPath(linkPath);
    name.erase(name.size() - extension.size());
    return platform::SaveDesktopEntry(platform::DesktopEntry{name, target, parameters, work},
                                      linkPath);
}

std::string SpecialFolder(int number) {
    const std::string folder = platform::SpecialFolderPath(number);
    if (folder.empty()) return {};
    if (!ForceFolder(folder)) return {};
    return platform::WithTrailingSlash(folder);
}

}  // namespace tavo
