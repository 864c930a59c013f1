#include "app/settings/palette_files.h"

#include "app/settings/settings_rules.h"
#include "cmdlist/list_file.h"
#include "text/u16text.h"

namespace merulan {

PaletteFiles paletteFilesFor(const std::u16string& executablePath, const PaletteFileSeams& seams) {
    const std::u16string exeFolder(folderOf(executablePath));
    const std::u16string settingsName(fileNameOf(settingsPathFor(executablePath)));
    if (seams.canWrite(exeFolder)) {
        return {exeFolder, exeFolder + settingsName, exeFolder + std::u16string(kListFileName), false};
    }
    const std::u16string folder = seams.userDataFolder() + std::u16string(kUserFolderName) + u"\\";
    PaletteFiles files{folder, folder + settingsName, folder + std::u16string(kListFileName), true};
    seams.createFolder(folder);
    const std::u16string listName(kListFileName);
    for (const auto& [from, to] :
         {std::pair{exeFolder + settingsName, files.settingsPath}, std::pair{exeFolder + listName, files.listPath}}) {
        if (!seams.fileExists(to) && seams.fileExists(from)) {
            seams.copyFile(from, to);
        }
    }
    return files;
}

std::u16string sharedCopyPathFor(const PaletteFileSeams& seams) {
    return seams.localDataFolder() + std::u16string(kUserFolderName) + u"\\" + std::u16string(kSharedCopyName);
}

} // namespace merulan
