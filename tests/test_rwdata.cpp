#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "ItemBytes.h"
#include "fakes/FakePlatform.h"
#include "platform/PrivateProfile.h"
#include "session/RWData.h"

using namespace orvex;

namespace {

const std::string kFile = "/d/t.DAT";

class RWDataTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    RWData rw;
    void SetUp() override {
        fakes.files.folders.insert("/d");
        rw.Title = "ORVEX";
        rw.FileName(kFile);
        rw.Mode = 1;
    }
    std::string& bytes() { return fakes.files.files[kFile]; }
    std::string lastMessage() const {
        return fakes.messages.shown.empty() ? "" : fakes.messages.shown.back().text;
    }
    // Another object on the same file, as a later command would make it.
    static void open(RWData& rw, const std::string& file) {
        rw.FileName(file);
        rw.Mode = 1;
    }
};

}  // namespace

// ---- binary items ----

TEST_F(RWDataTest, WritesEachItemKindInItsExactBytes) {
    EXPECT_EQ(rw.Data_Write(std::string()), 0);
    EXPECT_EQ(rw.Data_Write(std::string("ABC")), 0);
    EXPECT_EQ(rw.Data_Write(std::int16_t(-1)), 0);
    EXPECT_EQ(rw.Data_Write(std::int32_t(750)), 0);
    EXPECT_EQ(rw.Data_Write(Boolean{true}), 0);
    EXPECT_EQ(rw.Data_Write(Boolean{false}), 0);
    rw.File_Close();
    EXPECT_EQ(bytes(), items::text("") + items::text("ABC") + items::integer(-1) +
                           items::longInt(750) + items::boolean(true) + items::boolean(false));
}

TEST_F(RWDataTest, ReadsItemsBackWithTheTypeTheirCodeNames) {
    bytes() =
        items::text("Race") + items::longInt(123456) + items::integer(-7) + items::boolean(true);
    ASSERT_EQ(rw.Data_Read(std::string()), 0);
    EXPECT_EQ(rw.Data, Variant(std::string("Race")));
    // A 16-bit Dato still reads all four bytes of a 32-bit item.
    ASSERT_EQ(rw.Data_Read(std::int16_t(0)), 0);
    EXPECT_EQ(rw.Data, Variant(std::int32_t(123456)));
    ASSERT_EQ(rw.Data_Read(), 0);
    EXPECT_EQ(rw.Data, Variant(std::int16_t(-7)));
    ASSERT_EQ(rw.Data_Read(), 0);
    EXPECT_EQ(rw.Data, Variant(Boolean{true}));
    EXPECT_TRUE(fakes.messages.shown.empty());
    // Success leaves the busy pointer for the caller to remove.
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Hourglass);
}

TEST_F(RWDataTest, PastTheEndNumbersReadEmptyCutTextsFail62DamagedItems5) {
    bytes() = items::text("AB");
    ASSERT_EQ(rw.Data_Read(std::string()), 0);
    ASSERT_EQ(rw.Data_Read(std::string()), 0);
    EXPECT_EQ(rw.Data, Variant(std::string()));
    ASSERT_EQ(rw.Data_Read(), 0);
    EXPECT_EQ(rw.Data, Variant{});
    EXPECT_TRUE(fakes.messages.shown.empty());

    RWData cut;
    open(cut, kFile);
    cut.Title = "ORVEX";
    bytes() = items::le(5, 2) + "AB";
    EXPECT_EQ(cut.Data_Read(std::string()), 62);
    EXPECT_EQ(lastMessage(), "Errore n.  62");
    EXPECT_EQ(fakes.messages.shown.back().title, "ORVEX");
    EXPECT_EQ(fakes.messages.shown.back().flags, MessageBox::OkOnly | MessageBox::Exclamation);
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);

    // A negative length or an unknown code is an invalid argument.
    RWData negative;
    open(negative, kFile);
    bytes() = items::le(-3, 2) + "xyz";
    EXPECT_EQ(negative.Data_Read(std::string()), 5);
    EXPECT_EQ(lastMessage(), "/D/T.DAT\nErrore : Argomento non valido nella chiamata di routine");
    RWData other;
    open(other, kFile);
    bytes() = items::le(8, 2) + items::le(0, 4);
    EXPECT_EQ(other.Data_Read(), 5);
}

TEST_F(RWDataTest, TextsAreStoredInWindows1252) {
    ASSERT_EQ(rw.Data_Write(std::string("Città 5€ “ok” 日本")), 0);
    rw.File_Close();
    EXPECT_EQ(bytes(), items::text("Citt\xE0 5\x80 \x93ok\x94 ??"));

    bytes() = items::text("\xE0\x80\x81\xFF\r\n");
    RWData back;
    open(back, kFile);
    ASSERT_EQ(back.Data_Read(std::string()), 0);
    EXPECT_EQ(back.Data, Variant(std::string("à€\u0081ÿ\r\n")));
}

TEST_F(RWDataTest, InPlaceWritesNeverShortenAReplacementActsOnlyWhenCommitted) {
    bytes() = std::string(20, 'z');
    ASSERT_EQ(rw.Data_Write(std::string("AB")), 0);
    rw.File_Close();
    EXPECT_EQ(bytes(), items::text("AB") + std::string(16, 'z'));

    bytes() = "old content";
    rw.Replace = true;
    ASSERT_EQ(rw.Data_Write(std::string("AB")), 0);
    EXPECT_EQ(bytes(), "old content");
    rw.File_Close();
    EXPECT_EQ(bytes(), "old content");
    EXPECT_EQ(fakes.files.files.size(), 1u);

    ASSERT_EQ(rw.Data_Write(std::string("AB")), 0);
    ASSERT_EQ(rw.File_Commit(), 0);
    EXPECT_EQ(bytes(), items::text("AB"));
    EXPECT_EQ(fakes.files.files.size(), 1u);
}

TEST_F(RWDataTest, AnOverlongTextAndFileSystemFailuresAreReportedByNumber) {
    EXPECT_EQ(rw.Data_Write(std::string(32767, 'x')), 0);
    EXPECT_EQ(rw.Data_Write(std::string(32768, 'x')), 6);  // writes nothing
    EXPECT_EQ(lastMessage(), "/D/T.DAT\nErrore : Overflow");
    rw.File_Close();
    EXPECT_EQ(bytes().size(), 2u + 32767u);

    fakes.files.failAfterBytes = fakes.files.bytesWritten + 3;
    EXPECT_EQ(rw.Data_Write(std::string("ABCD")), 61);
    EXPECT_EQ(lastMessage(), "Errore : Disco pieno");

    RWData elsewhere;
    open(elsewhere, "/nowhere/x.DAT");
    EXPECT_EQ(elsewhere.Data_Write(std::string("A")), 76);
    EXPECT_EQ(lastMessage(), "/NOWHERE/X.DAT\nErrore : Percorso non trovato");

    fakes.files.readOnlyFolders.insert("/d");
    RWData locked;
    open(locked, "/d/new.DAT");
    locked.Replace = true;
    EXPECT_EQ(locked.Data_Write(std::string("A")), 70);
    EXPECT_EQ(lastMessage(), "Errore : Permesso negato");
}

// ---- names, checks and messages ----

TEST(RWDataNames, FileNameSplitsAtTheLastSeparatorAndPointKeepingWhatIsMissing) {
    FakePlatform fakes;
    RWData rw;
    const std::array<std::array<std::string, 4>, 4> cases{{
        {"/Data/Race1.DAT", "/Data", "Race1", "DAT"},
        {"/Data.old/Race2.txt", "/Data.old", "Race2", "txt"},
        {"/Other/Race3", "/Other", "Race3", "txt"},
        {"Race4.BAK", "/Other", "Race3", "BAK"},
    }};
    for (const auto& [name, path, base, ext] : cases) {
        SCOPED_TRACE(name);
        rw.FileName(name);
        EXPECT_EQ(rw.Path, path);
        EXPECT_EQ(rw.Name, base);
        EXPECT_EQ(rw.Ext, ext);
    }
}

TEST(RWDataMessages, EachNumberHasItsTextAndOnlySomeNameTheFile) {
    const std::string named = "/D/CITTÀ.DAT\n";
    const std::vector<std::tuple<int, bool, std::string>> cases = {
        {5, true, "Errore : Argomento non valido nella chiamata di routine"},
        {6, true, "Errore : Overflow"},
        {52, true, "Errore : Nome o numero file non valido"},
        {64, true, "Errore : Nome o numero file non valido"},
        {53, true, "Errore : Impossibile trovare il file"},
        {55, true, "Errore : File giá aperto"},
        {57, false, "Errore di I/O periferica"},
        {61, false, "Errore : Disco pieno"},
        {68, false, "Errore : Periferica non disponibile"},
        {70, false, "Errore : Permesso negato"},
        {71, false, "Errore : Disco non pronto"},
        {75, true,
         "Errore di accesso al percorso/file\n(Nome file non specificato o percorso non trovato)"},
        {76, true, "Errore : Percorso non trovato"},
        {62, false, "Errore n.  62"},
    };
    for (const auto& [number, withName, text] : cases)
        EXPECT_EQ(RWData::errorMessage(number, "/d/Città.dat"), (withName ? named : "") + text)
            << number;
}

TEST(RWDataMessages, MissingNamesFilesAndFoldersAreReported) {
    FakePlatform fakes;
    RWData rw;
    rw.Title = "T";
    rw.Mode = 1;
    EXPECT_EQ(rw.Data_Read(), 75);
    EXPECT_EQ(fakes.messages.texts().back(),
              "\nErrore di accesso al percorso/file\n(Nome file non specificato o percorso non "
              "trovato)");
    EXPECT_EQ(fakes.messages.shown.back().title, "T");

    rw.FileName("/orvex/gone.DAT");
    EXPECT_EQ(rw.Data_Read(), 53);
    EXPECT_EQ(fakes.messages.texts().back(),
              "/ORVEX/GONE.DAT\nErrore : Impossibile trovare il file");
    // An empty name afterwards still shows the name composed before.
    rw.Name.clear();
    EXPECT_EQ(rw.Data_Write(std::string("x")), 75);
    EXPECT_EQ(fakes.messages.texts().back().rfind("/ORVEX/GONE.DAT\nErrore di accesso", 0), 0u);

    rw.Name = "gone";
    EXPECT_EQ(rw.File_Delete(), 53);
    EXPECT_EQ(fakes.messages.texts().back(),
              "/ORVEX/GONE.DAT\nErrore : Impossibile trovare il file");
    fakes.files.files["/orvex/gone.DAT"] = "x";
    EXPECT_EQ(rw.File_Delete(), 0);
    EXPECT_FALSE(fakes.files.fileExists("/orvex/gone.DAT"));

    RWData fresh;
    fresh.FileName("/missing/a.DAT");
    EXPECT_EQ(fresh.Path_Check(), 53);
    EXPECT_EQ(fakes.messages.texts().back(), "\nErrore : Impossibile trovare il file");
    fresh.Path = "/orvex";
    EXPECT_EQ(fresh.Path_Check(), 0);
}

TEST(RWDataModes, AnUnknownModeDoesNothingAndSucceeds) {
    FakePlatform fakes;
    RWData rw;
    rw.FileName("/orvex/x.DAT");
    rw.Mode = 2;
    EXPECT_EQ(rw.Data_Read(), 0);
    EXPECT_EQ(rw.Data_Write(std::string("x")), 0);
    EXPECT_TRUE(fakes.files.files.empty());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// ---- settings mode ----

class RWDataSettings : public ::testing::Test {
protected:
    FakePlatform fakes;
    const std::string ini = "/orvex/ORVEX.INI";
    std::int16_t read(const std::string& section, const std::string& key, std::string& value) {
        RWData rw;
        rw.FileName(ini);
        rw.Section = section;
        rw.Index = key;
        const auto r = rw.Data_Read();
        value = toText(rw.Data);
        return r;
    }
    void write(const std::string& section, const std::string& key, const Variant& data) {
        RWData rw;
        rw.FileName(ini);
        rw.Section = section;
        rw.Index = key;
        rw.Data = data;
        EXPECT_EQ(rw.Data_Write(), 0);
    }
};

TEST_F(RWDataSettings, AHandWrittenFileReadsWithoutRegardToCaseOrBlanksAndCutsLongValues) {
    fakes.files.files[ini] =
        "; recent files\r\n[Other]\r\nFile1=wrong\r\n\r\n[ file ]\r\n  file1 =  /a/b c.DAT  "
        "\r\nFILE2=\"/q/r.DAT\"\r\nFile3=\r\nFile4=Not Used\r\n";
    std::string v;
    EXPECT_EQ(read("File", "File1", v), 0);
    EXPECT_EQ(v, "/a/b c.DAT");
    EXPECT_EQ(read("FILE", "file2", v), 0);
    EXPECT_EQ(v, "/q/r.DAT");
    EXPECT_EQ(read("File", "File3", v), 0);
    EXPECT_EQ(v, "");
    EXPECT_EQ(read("File", "File4", v), 1);
    EXPECT_EQ(v, "");
    EXPECT_EQ(read("File", "File5", v), 1);
    EXPECT_EQ(read("None", "File1", v), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());

    std::string longName = "/";
    for (int i = 0; i < 300; ++i) longName += "é";
    fakes.files.files[ini] = "[File]\nFile1=" + longName + "\n";
    ASSERT_EQ(read("File", "File1", v), 0);
    EXPECT_EQ(v, longName.substr(0, 1 + 253 * 2));  // cut to 254 characters

    fakes.files.files.erase(ini);
    EXPECT_EQ(read("File", "File1", v), 53);
    EXPECT_EQ(fakes.messages.texts().back(),
              "/ORVEX/ORVEX.INI\nErrore : Impossibile trovare il file");
}

TEST_F(RWDataSettings, WritesCreateWhatIsMissingAndKeepEverythingElse) {
    write("File", "File1", std::string("/a.DAT"));
    EXPECT_EQ(fakes.files.files[ini], "[File]\r\nFile1=/a.DAT\r\n");
    write("file", "FILE1", std::string("/b.DAT"));
    write("File", "File2", std::int16_t(5));
    write("Extra", "On", Boolean{true});
    EXPECT_EQ(fakes.files.files[ini],
              "[File]\r\nFILE1=/b.DAT\r\nFile2=5\r\n[Extra]\r\nOn=True\r\n");

    fakes.files.files[ini] = "[File]\nFile1=x\n\n[Keep]\nA = 1\n";
    write("File", "File2", std::string("y"));
    EXPECT_EQ(fakes.files.files[ini], "[File]\r\nFile1=x\r\nFile2=y\r\n\r\n[Keep]\r\nA = 1\r\n");
    std::string v;
    EXPECT_EQ(read("Keep", "a", v), 0);
    EXPECT_EQ(v, "1");
}
