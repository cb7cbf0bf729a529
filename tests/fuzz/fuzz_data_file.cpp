// Feeds arbitrary bytes to the data-file reader (and to the settings-file
// reader). Any input must end in a message or a session, never in a crash,
// a hang or a sanitizer report; what a file gives, whole or damaged, must
// also survive being written and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakePlatform.h"
#include "platform/PrivateProfile.h"
#include "session/DataFile.h"
#include "session/Session.h"

using namespace orvex;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FakePlatform fx;
    fx.messages.shown.clear();  // the fakes record; keep the run's memory flat
    fx.files.folders.insert("/f");
    fx.files.files = {{"/f/x.DAT", std::string(reinterpret_cast<const char*>(data), size)}};

    Session& s = session();
    s = Session{};
    s.ResetSession();
    const FileRead result = File_Read("/f/x.DAT", s);
    const bool read = result != FileRead::Refused;
    require(s.LapTimes.size() == 751);
    require(result == FileRead::Whole     ? s.FileState == FileState::Saved
            : result == FileRead::Damaged ? s.FileState == FileState::Modified
                                          : s.FileState == FileState::NoSession);
    // What a damaged file gave is a new session, never the file's.
    require(s.DataFileName == (result == FileRead::Damaged ? "New" : "x"));

    // Read, written, read and written again: both writes give the same bytes.
    for (const char* name : {"/f/y.DAT", "/f/z.DAT"}) {
        if (!read) break;
        s.LapsWin = s.SavedLapsWin;
        s.SessionWin = s.SavedSessionWin;
        s.StatWin = s.SavedStatWin;
        require(File_Write(name, nullptr));
        s.ResetSession();
        require(File_Read(name, s) == FileRead::Whole);
    }
    require(!read || fx.files.files["/f/y.DAT"] == fx.files.files["/f/z.DAT"]);

    PrivateProfile(fx.files).read("/f/x.DAT", "File", "File1", "Not Used", 255);
    return 0;
}
