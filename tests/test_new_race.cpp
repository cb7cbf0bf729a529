#include <gtest/gtest.h>

#include "commands/RaceCommands.h"
#include "fakes/MainWindowFixture.h"
#include "fakes/ScriptedDevice.h"
#include "session/FileCommands.h"
#include "shell/DesktopDevice.h"

using namespace orvex;

namespace {

const std::string kHeat1 = "/data/Heat1.DAT";

// A heat on the main window: a new session given names and a text and saved
// as Heat1.DAT before the race, driver 2's first lap (6000) downloaded into it
// (no laps yet: the same session), then corrections given and saved. The
// device behind the fake port still holds that race.
class NewRaceTest : public MainWindowFixture {
protected:
    ScriptedDevice device;
    Session& s = session();

    void SetUp() override {
        MainWindowFixture::SetUp();
        fakes.serial.device = [this](const Bytes& f) { return device(f); };
        fakes.files.folders.insert("/data");
        device.put(26, deviceRecord(6000));
        load();
        desk->menuFile_Click(0);
        s.DriverNames[2] = "Ann";
        s.SessionTrack = "Ring";
        fakes.fileDialogs.answers.push_back(kHeat1);
        desk->menuFile_Click(3);
        download();
        ASSERT_EQ(title(), FileCommands::titleFor("Heat1"));
        RaceCommands& commands = desk->raceCommands();
        commands.setLapRules(3000, 0, 70, 150);
        commands.markLap(2, 1, LapCorrection::Void);  // slot 26
        commands.setPenalty(2, {500, "jump start", true});
        desk->menuFile_Click(2);
        ASSERT_EQ(s.FileState, FileState::Saved);
        ASSERT_TRUE(fakes.messages.shown.empty() && fakes.fileDialogs.answers.empty());
    }
    DeviceCommand pending() { return desk->device().requests().pending(); }
    // Device > Download data, then the ticks that run it.
    void download() {
        desk->MenuDevice_Click(0);
        for (int i = 0; i < 40 && pending() != DeviceCommand::None; ++i)
            desk->device().tick().Tick();
    }
    std::string title() const { return desk->windowTitle().toStdString(); }
};

}  // namespace

TEST_F(NewRaceTest, ANewRaceOverASavedHeatIsANewSessionWithTheNamesAndNoPenalties) {
    const std::string heat1 = fakes.files.files.at(kHeat1);
    const RaceCorrections corrections = s.Corrections;
    device.put(26, deviceRecord(6100));
    device.answerBlocksUpTo = 5;  // abandoned: nothing changes
    download();
    EXPECT_EQ(s.DataFileName + title(), "Heat1" + FileCommands::titleFor("Heat1"));
    EXPECT_EQ(s.Corrections, corrections);

    // A later version's corrections belong to the old race; other sections stay.
    s.KeptSections = {{"corrections", 2, "old race"}, {"weather", 1, "rain"}};
    device.answerBlocksUpTo = 1000;
    fakes.messages.shown.clear();
    download();
    EXPECT_TRUE(fakes.messages.shown.empty());  // the heat was saved
    ASSERT_EQ(s.KeptSections.size(), 1u);
    EXPECT_EQ(s.KeptSections[0].tag, "weather");
    EXPECT_EQ(s.LapTimes[26], 6100);
    EXPECT_EQ(title(), FileCommands::titleFor("New"));
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_TRUE(s.Corrections.penalties.empty() && s.Corrections.marks.empty());
    EXPECT_EQ(s.Corrections.minLap, 3000);
    EXPECT_EQ(s.DriverNames[2] + s.SessionTrack, "AnnRing");
    EXPECT_FALSE(desk->raceCommands().stack().canUndo());  // the old race's steps
    desk->menuFile_Click(2);
    EXPECT_EQ(fakes.files.files.at(kHeat1), heat1);
    EXPECT_EQ(fakes.files.files.count("/orvex/New.DAT"), 1u);
}

// The same race again, or with laps in slots that were empty, is the heat.
TEST_F(NewRaceTest, TheSameRaceAgainOrMoreLapsOfItKeepTheFileAndCorrections) {
    const RaceCorrections corrections = s.Corrections;
    download();
    device.put(27, deviceRecord(6200));
    download();
    EXPECT_EQ(s.LapTimes[27], 6200);
    EXPECT_EQ(title(), FileCommands::titleFor("Heat1"));
    EXPECT_EQ(s.Corrections, corrections);
    EXPECT_EQ(desk->raceCommands().stack().count(), 3);
    desk->menuFile_Click(2);
    // The second download asked about the first one's laps; Save asks nothing.
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"File modified. Save your changes to 'Heat1' ?"});
    EXPECT_EQ(s.FileState, FileState::Saved);
}

TEST_F(NewRaceTest, ADownloadIntoUnsavedChangesAsksFirstAndCancelStopsIt) {
    const std::string question = "File modified. Save your changes to 'Heat1' ?";
    s.ChangeField(s.SessionNote, "typed");
    fakes.messages.answers = {MessageBox::Cancel, MessageBox::No};
    desk->MenuDevice_Click(0);
    EXPECT_EQ(pending(), DeviceCommand::None);
    desk->MenuDevice_Click(0);
    EXPECT_EQ(pending(), DeviceCommand::StartDownload);
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>(2, question));
    desk->device().requests().clear();

    // Yes, then the save of a new session meets another session's New.DAT:
    // No, and the save dialog cancelled, cancel the download too.
    fakes.files.files["/orvex/New.DAT"] = "another heat";
    desk->menuFile_Click(0);  // No to the question
    s.ChangeField(s.SessionNote, "typed");
    fakes.messages.answers = {MessageBox::Yes, MessageBox::No};
    desk->MenuDevice_Click(0);
    EXPECT_EQ(pending(), DeviceCommand::None);
    EXPECT_EQ(fakes.files.files.at("/orvex/New.DAT"), "another heat");

    // A new session nothing was done to downloads unasked.
    fakes.messages.shown.clear();
    desk->menuFile_Click(0);  // No
    fakes.messages.shown.clear();
    desk->MenuDevice_Click(0);
    EXPECT_EQ(pending(), DeviceCommand::StartDownload);
    EXPECT_TRUE(fakes.messages.shown.empty());
}
