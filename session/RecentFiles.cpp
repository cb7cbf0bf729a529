#include "session/RecentFiles.h"

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "session/DesktopViews.h"
#include "session/RWData.h"
#include "session/Session.h"

namespace orvex {

namespace {

// A settings-mode object on key "File" + place.
void aim(RWData& rw, int place) {
    rw.FileName(settingsFileName());
    rw.Section = "File";
    rw.Index = "File" + std::to_string(place);
    rw.Mode = 0;
}

bool settingsExist() { return platform().files->fileExists(settingsFileName()); }

}  // namespace

std::string settingsFileName() {
    std::string folder = session().AppPath;
    if (folder.empty()) folder = platform().folder->path();
    return folder + platform().folder->separator() + "ORVEX.INI";
}

void FileRecentiRead(DesktopViews& views) {
    for (int i = 1; i <= kRecentFiles; ++i) {
        RWData rw;
        aim(rw, i);
        if (settingsExist() && rw.Data_Read() == 0)
            views.MenuAbilita(kFirstRecentCode + i - 1, toText(rw.Data));
    }
    platform().pointer->set(MousePointer::Normal);
}

void FileRecentiWrite(DesktopViews& views, const std::string& name) {
    {
        // Another instance of the program may be writing the list too: the
        // whole read-modify-write holds the settings file's lock and starts
        // from the list as it stands on disk now, not as this menu last showed
        // it. Without the lock (not had in time) the name is still recorded.
        const auto held = platform().files->lock(settingsFileName());
        int start = kRecentFiles - 1;
        for (int k = 1; k <= kRecentFiles; ++k) {
            RWData rw;
            aim(rw, k);
            if (settingsExist() && rw.Data_Read() == 0 && toText(rw.Data) == name) {
                start = k - 1;
                break;
            }
        }
        // A missing key is skipped and the one below it keeps its old value.
        for (int j = start; j >= 1; --j) {
            RWData rw;
            aim(rw, j);
            if (!settingsExist() || rw.Data_Read() != 0) continue;
            rw.Index = "File" + std::to_string(j + 1);
            rw.Data_Write();
        }
        RWData rw;
        aim(rw, 1);
        rw.Data = name;
        rw.Data_Write();
    }
    FileRecentiRead(views);
    platform().pointer->set(MousePointer::Normal);
}

}  // namespace orvex
