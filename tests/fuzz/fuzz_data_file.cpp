// Feeds arbitrary bytes to the data-file reader (and to the settings-file
// reader). Any input must end in a message or a session, never in a crash,
// a hang or a sanitizer report; a file that reads must also survive being
// written and read again unchanged.
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

bool sameContent(const Session& a, const Session& b) {
    return a.LapTimes == b.LapTimes && a.SessionDate == b.SessionDate &&
           a.SessionTime == b.SessionTime && a.SessionTrack == b.SessionTrack &&
           a.SessionLength == b.SessionLength && a.SessionVehicle == b.SessionVehicle &&
           a.SessionDrivers == b.SessionDrivers && a.SessionNote == b.SessionNote &&
           a.SavedLapsWin == b.SavedLapsWin && a.SavedSessionWin == b.SavedSessionWin &&
           a.SavedStatWin == b.SavedStatWin;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FakePlatform fx;
    fx.messages.shown.clear();  // the fakes record; keep the run's memory flat
    fx.pointer.history.clear();
    fx.files.folders.insert("/f");
    fx.files.files = {{"/f/x.DAT", std::string(reinterpret_cast<const char*>(data), size)}};

    Session& s = session();
    s = Session{};
    s.ResetSession();
    const bool read = File_Read("/f/x.DAT");
    require(s.LapTimes.size() == 751);
    require(read ? s.FileState == FileState::Saved : s.FileState == FileState::NoSession);
    require(read ? s.DataFileName == "x" : s.DataFileName == "New");

    if (read) {
        const Session first = s;
        s.LapsWin = s.SavedLapsWin;
        s.SessionWin = s.SavedSessionWin;
        s.StatWin = s.SavedStatWin;
        require(File_Write("/f/y.DAT", nullptr));
        s.ResetSession();
        require(File_Read("/f/y.DAT"));
        require(sameContent(first, s));
    }

    PrivateProfile(fx.files).read("/f/x.DAT", "File", "File1", "Not Used", 255);
    return 0;
}
