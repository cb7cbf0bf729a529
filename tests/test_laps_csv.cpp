#include <gtest/gtest.h>

#include <algorithm>

#include "export/Csv.h"
#include "export/LapsCsv.h"
#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

using namespace orvex;

namespace {

// RFC 4180 read back: quoted fields may hold the separator, quotes and line breaks.
std::vector<std::vector<std::string>> parseCsv(const std::string& text, char sep) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            field += c;
        } else if (c == sep) {
            rows.back().emplace_back();
        } else if (c == '\r' && text.compare(i, 2, "\r\n") == 0) {
            rows.emplace_back(1);
            ++i;
        } else {
            field += c;
        }
    }
    if (rows.back() == std::vector<std::string>(1)) rows.pop_back();
    return rows;
}

class LapsCsvTest : public ::testing::Test {
protected:
    void SetUp() override {
        session().ResetSession();
        session().FileState = FileState::New;
    }
    FakePlatform fakes;
};

TEST_F(LapsCsvTest, OneRowPerRecordedLapInDriverAndLapOrderInBothLocales) {
    Session& s = session();
    s.SessionLength = "1200 m";
    s.LapTimes[lapSlot(30, 25)] = 5999;
    s.LapTimes[lapSlot(1, 2)] = 8345;  // lap 1 of driver 1 stays empty
    s.LapTimes[lapSlot(7, 1)] = 360000;
    s.LapTimes[lapSlot(8, 1)] = -6000;  // no lap: listed as it is, sign and all
    for (const auto& [decimal, sep] : {std::pair{".", ','}, {",", ';'}}) {
        SCOPED_TRACE(decimal);
        const auto rows = parseCsv(LapsCsv(s, decimal), sep);
        // The time as the results write it, its twin in seconds, and two decimals of km/h.
        auto row = [&](const char* d, const char* l, const char* time, std::string seconds,
                       const char* hundredths, std::string speed) {
            std::replace(seconds.begin(), seconds.end(), '.', *decimal);
            std::replace(speed.begin(), speed.end(), '.', *decimal);
            return std::vector<std::string>{d, "", l, time, seconds, hundredths, speed, ""};
        };
        EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                            rows[0], row("1", "2", "1:23.45", "83.45", "8345", "51.76"),
                            row("7", "1", "1:00:00.00", "3600.00", "360000", "1.20"),
                            row("8", "1", "-1:00.00", "-60.00", "-6000", ""),
                            row("30", "25", "59.99", "59.99", "5999", "72.01")}));
    }
}

TEST_F(LapsCsvTest, AnEmptySessionHasOnlyTheHeader) {
    EXPECT_EQ(LapsCsv(session(), "."),
              "Driver,Name,Lap,Lap time,Lap time (s),Hundredths,Speed (km/h),Status\r\n");
}

TEST_F(LapsCsvTest, CorrectedLapsKeepTheirRecordedTimeAndSayWhatCountsOfThem) {
    Session& s = session();
    s.LapTimes[lapSlot(4, 1)] = 300;   // below the minimum
    s.LapTimes[lapSlot(4, 2)] = 5000;  // voided by hand
    s.LapTimes[lapSlot(4, 3)] = 9000;  // above the maximum
    s.LapTimes[lapSlot(4, 4)] = 200;   // below the minimum, but kept by hand
    s.Corrections.minLap = 3000;
    s.Corrections.maxLap = 8000;
    s.Corrections.setMark(lapSlot(4, 2), 5000, LapCorrection::Void);
    s.Corrections.setMark(lapSlot(4, 4), 200, LapCorrection::None);
    const auto rows = parseCsv(LapsCsv(s, "."), ',');
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::pair<std::string, std::string>> want{
        {"300", "joined (rule)"}, {"5000", "void"}, {"9000", "void (rule)"}, {"200", ""}};
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(rows[i + 1][5], want[i].first);
        EXPECT_EQ(rows[i + 1][7], want[i].second);
    }
}

TEST_F(LapsCsvTest, NamesAreQuotedAndAFormulaGetsAnApostropheNumbersDoNot) {
    Session& s = session();
    const std::string names[] = {
        "=1+2", "-Bo", "@x", "+y", "Al \"Ace\"; B, C", "\xD7\x93\xF0\x9F\x8F\x81"};
    for (int d = 1; d <= 6; ++d) {
        s.DriverNames[d] = names[d - 1];
        s.LapTimes[lapSlot(d, 1)] = 5000 + d;
    }
    const auto rows = parseCsv(LapsCsv(s, "."), ',');
    for (int d = 1; d <= 4; ++d) EXPECT_EQ(rows[d][1], "'" + names[d - 1]);
    EXPECT_EQ(rows[5][1], names[4]);
    EXPECT_EQ(rows[6][1], names[5]);
    EXPECT_EQ(rows[1][3], "50.01");
    EXPECT_NE(LapsCsv(s, ",").find("\r\n5;\"Al \"\"Ace\"\"; B, C\";1;"), std::string::npos);
    // A line break is quoted too, and reads back whole.
    EXPECT_EQ(parseCsv(CsvField("a;\"b\"\r\nc", ';') + ";x\r\n", ';'),
              (std::vector<std::vector<std::string>>{{"a;\"b\"\r\nc", "x"}}));
}

TEST_F(LapsCsvTest, ExportWritesAtomicallyAndAFailureKeepsTheEarlierFile) {
    session().LapTimes[lapSlot(1, 1)] = 8345;
    fakes.files.files["/data/laps.csv"] = "earlier";
    fakes.files.folders.insert("/data");
    fakes.files.commitError = 61;
    fakes.fileDialogs.answers = {"/data/laps.csv", "/data/laps.csv"};
    EXPECT_EQ(ExportLapsCsv("Laps CSV (*.csv)|*.csv").code(), StatusCode::DiskFull);
    EXPECT_EQ(fakes.files.files,
              (std::map<std::string, std::string>{{"/data/laps.csv", "earlier"}}));

    fakes.files.commitError = 0;
    EXPECT_TRUE(ExportLapsCsv("Laps CSV (*.csv)|*.csv").isOk());
    // A spreadsheet reads the file as UTF-8 by its mark.
    EXPECT_EQ(fakes.files.files["/data/laps.csv"], "\xEF\xBB\xBF" + LapsCsv(session(), "."));
    EXPECT_TRUE(ExportLapsCsv("Laps CSV (*.csv)|*.csv").isCancelled());
}

}  // namespace
