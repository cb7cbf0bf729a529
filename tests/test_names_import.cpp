#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "names/NamesImport.h"

using namespace orvex;

namespace {

using Names = std::vector<std::pair<int, std::string>>;

}  // namespace

TEST(NamesImport, EveryBadRowIsSkippedAndTheFirstOneIsReportedByLine) {
    const NamesImport got = ImportNames(
        "No.;Name\r\n"
        "1;Anna\r\n"
        "\r\n"
        "31;Too high\r\n"
        "0;Too low\r\n"
        "x;No number\r\n"
        "4;   \r\n"
        "5\r\n"
        "6;\"Rossi; \"\"Red\"\"\"\r\n"
        "  7 ; Bea ;extra\r\n"
        "99999999999999999999;Huge\r\n");
    EXPECT_EQ(got.names, (Names{{1, "Anna"}, {6, "Rossi; \"Red\""}, {7, "Bea"}}));
    EXPECT_EQ(got.skipped, 6);
    EXPECT_EQ(got.firstSkippedLine, 4);
    EXPECT_EQ(got.firstReason, SkipReason::OutOfRange);
    EXPECT_EQ(ImportNames("x,y\n3,\n").firstReason, SkipReason::EmptyName);
    EXPECT_EQ(ImportNames("1,A\nx,y\n").firstReason, SkipReason::NoNumber);
}

TEST(NamesImport, CommaFilesLatin1LinesAndAByteOrderMarkRead) {
    const NamesImport got = ImportNames(
        "\xEF\xBB\xBF"
        "2,Jos\xC3\xA9\n3,Fran\xE7ois\n4,\"Smith, J\"\n");
    EXPECT_EQ(got.names, (Names{{2, "Jos\xC3\xA9"}, {3, "Fran\xC3\xA7ois"}, {4, "Smith, J"}}));
    EXPECT_EQ(got.skipped, 0);
}

TEST(NamesImport, BinaryEmptyHugeAndLongFilesEndInACountNeverAHang) {
    EXPECT_EQ(ImportNames(std::string("1,A\0B\n", 6)).firstReason, SkipReason::Unreadable);
    const NamesImport empty = ImportNames("");
    EXPECT_TRUE(empty.names.empty());
    EXPECT_EQ(empty.skipped, 0);
    EXPECT_EQ(ImportNames(std::string(10 * 1024 * 1024, 'a')).firstReason, SkipReason::Unreadable);
    std::string rows;
    for (int i = 0; i < 10000; ++i)
        rows += std::to_string(i % 40) + ",Name " + std::to_string(i) + "\n";
    const NamesImport many = ImportNames(rows);
    EXPECT_EQ(many.names.size(), 7500u);
    EXPECT_EQ(many.skipped, 2500);
    EXPECT_EQ(many.firstSkippedLine, 1);  // "0,Name 0": a number, so no header

    FakePlatform fakes;
    fakes.files.files["/n.csv"] = "8;Cy\n";
    EXPECT_EQ(ImportNamesFile("/n.csv").names, (Names{{8, "Cy"}}));
    EXPECT_EQ(ImportNamesFile("/missing.csv").firstReason, SkipReason::Unreadable);
    EXPECT_FALSE(fakes.files.files.count("/missing.csv"));
}

TEST(NamesImport, QuotesInsideAFieldAreCharactersAndAnOpenQuoteCostsItsRowOnly) {
    const NamesImport got = ImportNames(
        "5,O\"Neil\n"
        "6, \"Bea, B\"\n"
        "-1,Minus\n"
        "00005,Zeroed\n"
        "7,\"Never closed\n"
        "8,Cy\n"
        "9,\"Also open\n"
        "10,Di\n");
    EXPECT_EQ(got.names,
              (Names{{5, "O\"Neil"}, {6, "Bea, B"}, {5, "Zeroed"}, {8, "Cy"}, {10, "Di"}}));
    EXPECT_EQ(got.skipped, 3);
    EXPECT_EQ(got.firstSkippedLine, 3);
    EXPECT_EQ(got.firstReason, SkipReason::OutOfRange);
    const NamesImport open = ImportNames("1,A\n2,\"B");
    EXPECT_EQ(open.names, (Names{{1, "A"}}));
    EXPECT_EQ(open.firstSkippedLine, 2);
    EXPECT_EQ(open.firstReason, SkipReason::OpenQuote);
}

TEST(NamesImport, UnicodeTextOfASpreadsheetIsUtf16WithTabsAndNamesLoseInvisibleMarks) {
    const std::u16string rows =
        u"Nr\tName\r\n3\tJos\u00E9 \U0001F600\r\n4\t\u202BAli\u202C\u200F\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (const char16_t u : rows) {
        le += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        be += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    }
    const Names expected{{3, "Jos\xC3\xA9 \xF0\x9F\x98\x80"}, {4, "Ali"}};
    EXPECT_EQ(ImportNames(le).names, expected);
    EXPECT_EQ(ImportNames(be).names, expected);
    // Joiners: kept inside an emoji sequence, dropped beside Latin letters or at an end.
    EXPECT_EQ(ImportNames("1,\xE2\x80\x8D"
                          "A\xE2\x80\x8D"
                          "B\xE2\x80\x8E\n"
                          "2,\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\n")
                  .names,
              (Names{{1, "AB"}, {2, "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9"}}));
}
