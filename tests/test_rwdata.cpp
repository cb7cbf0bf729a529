#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "ItemBytes.h"
#include "fakes/FakePlatform.h"
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
        open(rw, kFile);
    }
    std::string& bytes() { return fakes.files.files[kFile]; }
    std::string lastMessage() const {
        return fakes.messages.shown.empty() ? "" : fakes.messages.shown.back().text;
    }
    // Another object on a file, as a later command would make it.
    static void open(RWData& rw, const std::string& file) {
        rw.Title = "ORVEX";
        rw.FileName(file);
        rw.Mode = 1;
    }
};

}  // namespace

TEST_F(RWDataTest, ItemsAreWrittenInTheirExactBytesAndReadBackByTheirCode) {
    for (const Variant& v :
         {Variant(std::string()), Variant(std::string("ABC")), Variant(std::int16_t(-1)),
          Variant(std::int32_t(750)), Variant(Boolean{true}), Variant(Boolean{false})})
        EXPECT_EQ(rw.Data_Write(v), 0);
    rw.File_Close();
    EXPECT_EQ(bytes(), items::text("") + items::text("ABC") + items::integer(-1) +
                           items::longInt(750) + items::boolean(true) + items::boolean(false));

    bytes() = items::text("Race") + items::longInt(123456) + items::integer(-7);
    RWData back;
    open(back, kFile);
    ASSERT_EQ(back.Data_Read(std::string()), 0);
    EXPECT_EQ(back.Data, Variant(std::string("Race")));
    // A 16-bit Dato still reads all four bytes of a 32-bit item.
    ASSERT_EQ(back.Data_Read(std::int16_t(0)), 0);
    EXPECT_EQ(back.Data, Variant(std::int32_t(123456)));
    ASSERT_EQ(back.Data_Read(), 0);
    EXPECT_EQ(back.Data, Variant(std::int16_t(-7)));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(RWDataTest, PastTheEndNumbersReadEmptyCutTextsFail62DamagedItems5) {
    bytes() = items::text("AB");
    ASSERT_EQ(rw.Data_Read(std::string()), 0);
    ASSERT_EQ(rw.Data_Read(std::string()), 0);
    EXPECT_EQ(rw.Data, Variant(std::string()));
    ASSERT_EQ(rw.Data_Read(), 0);
    EXPECT_EQ(rw.Data, Variant{});
    EXPECT_TRUE(fakes.messages.shown.empty());

    // A cut text, a negative length, an unknown type code.
    const std::array<std::tuple<std::string, Variant, int>, 3> damaged{{
        {items::le(5, 2) + "AB", std::string(), 62},
        {items::le(-3, 2) + "xyz", std::string(), 5},
        {items::le(8, 2) + items::le(0, 4), Variant{}, 5},
    }};
    for (const auto& [content, dato, error] : damaged) {
        bytes() = content;
        RWData bad;
        open(bad, kFile);
        EXPECT_EQ(bad.Data_Read(dato), error);
    }
    EXPECT_EQ(fakes.messages.texts()[0], "Errore n.  62");
    EXPECT_EQ(lastMessage(), "/D/T.DAT\nErrore : Argomento non valido nella chiamata di routine");
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
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

TEST_F(RWDataTest, NamesSplitAtTheLastSeparatorAndPointAndMissingOnesAreReported) {
    const std::array<std::array<std::string, 4>, 3> cases{{
        {"/Data.old/Race2.txt", "/Data.old", "Race2", "txt"},
        {"/Other/Race3", "/Other", "Race3", "txt"},  // what is missing is kept
        {"Race4.BAK", "/Other", "Race3", "BAK"},
    }};
    for (const auto& [name, path, base, ext] : cases) {
        rw.FileName(name);
        EXPECT_EQ(rw.Path + "|" + rw.Name + "|" + rw.Ext, path + "|" + base + "|" + ext) << name;
    }

    RWData unnamed;
    unnamed.Mode = 1;
    EXPECT_EQ(unnamed.Data_Read(), 75);
    EXPECT_EQ(lastMessage(),
              "\nErrore di accesso al percorso/file\n(Nome file non specificato o percorso non "
              "trovato)");
    unnamed.FileName("/orvex/gone.DAT");
    EXPECT_EQ(unnamed.Data_Read(), 53);
    EXPECT_EQ(unnamed.File_Delete(), 53);
    EXPECT_EQ(lastMessage(), "/ORVEX/GONE.DAT\nErrore : Impossibile trovare il file");
    fakes.files.files["/orvex/gone.DAT"] = "x";
    EXPECT_EQ(unnamed.File_Delete(), 0);
    EXPECT_FALSE(fakes.files.fileExists("/orvex/gone.DAT"));

    unnamed.FileName("/missing/a.DAT");
    EXPECT_EQ(unnamed.Path_Check(), 53);
    unnamed.Path = "/orvex";
    EXPECT_EQ(unnamed.Path_Check(), 0);
}

// ---- settings mode ----

class RWDataSettings : public ::testing::Test {
protected:
    FakePlatform fakes;
    const std::string ini = "/orvex/ORVEX.INI";
    std::string value;
    std::int16_t read(const std::string& section, const std::string& key) {
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
    EXPECT_EQ(read("File", "File1"), 0);
    EXPECT_EQ(value, "/a/b c.DAT");
    EXPECT_EQ(read("FILE", "file2"), 0);
    EXPECT_EQ(value, "/q/r.DAT");
    EXPECT_EQ(read("File", "File3"), 0);
    EXPECT_EQ(read("File", "File4"), 1);
    EXPECT_EQ(value, "");
    EXPECT_EQ(read("None", "File1"), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());

    std::string longName = "/";
    for (int i = 0; i < 300; ++i) longName += "é";
    fakes.files.files[ini] = "[File]\nFile1=" + longName + "\n";
    ASSERT_EQ(read("File", "File1"), 0);
    EXPECT_EQ(value, longName.substr(0, 1 + 253 * 2));  // cut to 254 characters

    fakes.files.files.erase(ini);
    EXPECT_EQ(read("File", "File1"), 53);
}

TEST_F(RWDataSettings, WritesCreateWhatIsMissingAndKeepEverythingElse) {
    write("File", "File1", std::string("/a.DAT"));
    write("file", "FILE1", std::string("/b.DAT"));
    write("File", "File2", std::int16_t(5));
    write("Extra", "On", Boolean{true});
    EXPECT_EQ(fakes.files.files[ini],
              "[File]\r\nFILE1=/b.DAT\r\nFile2=5\r\n[Extra]\r\nOn=True\r\n");

    fakes.files.files[ini] = "[File]\nFile1=x\n\n[Keep]\nA = 1\n";
    write("File", "File2", std::string("y"));
    EXPECT_EQ(fakes.files.files[ini], "[File]\r\nFile1=x\r\nFile2=y\r\n\r\n[Keep]\r\nA = 1\r\n");
}
