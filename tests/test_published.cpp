#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "publish/Published.h"
#include "session/Session.h"

using namespace orvex;

namespace {

// Driver 5 leads on best lap; 2 is second; 7 is disqualified; 9 has a name
// that is HTML and quotes.
PublishedSession crafted(RankMode mode = RankMode::BestLap) {
    std::vector<std::int32_t> t(kLapSlots + 1, 0);
    auto put = [&t](int driver, std::vector<std::int32_t> laps) {
        for (std::size_t l = 0; l < laps.size(); ++l) t[lapSlot(driver, int(l) + 1)] = laps[l];
    };
    put(5, {6000, 5832, 5900});
    put(2, {6100, 6047});
    put(7, {5500, 5600});
    put(9, {7000});
    RaceCorrections c;
    c.mode = mode;
    c.penalties[7].disqualified = true;
    PublishedSession p;
    p.present = true;
    p.date = "07/12/2026";
    p.time = "14:30";
    p.track = "Pista \"Sud\"";
    p.vehicle = "Kart";
    p.results = makeResults(t, c);
    for (DriverResult& d : p.results.rows)
        d.name = d.driver == 5 ? "Anna Rossi" : d.driver == 9 ? "<b>x</b> & 'q' \"z\"" : "";
    p.state = {IssueKind::Official, 2, 0};
    return p;
}

QJsonObject parse(const std::string& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    return doc.object();
}

}  // namespace

TEST(PublishedJson, ResultsCarryFiguresGapsAndDisqualificationInRankOrder) {
    const QJsonObject o = parse(resultsJson(crafted(), "2026-12-07T14:31:05"));
    EXPECT_EQ(o["version"].toInt(), 1);
    EXPECT_EQ(o["generated"].toString(), "2026-12-07T14:31:05");
    EXPECT_EQ(o["session"]["track"].toString(), "Pista \"Sud\"");
    EXPECT_EQ(o["mode"].toString(), "best lap");
    EXPECT_EQ(o["state"].toString(), "Official");
    EXPECT_EQ(o["issue"].toInt(), 2);
    const QJsonArray rows = o["results"].toArray();
    ASSERT_EQ(rows.size(), 4);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first["pos"].toInt(), 1);
    EXPECT_EQ(first["number"].toInt(), 5);
    EXPECT_EQ(first["name"].toString(), "Anna Rossi");
    EXPECT_EQ(first["laps"].toInt(), 3);
    EXPECT_EQ(first["best"].toInt(), 5832);
    EXPECT_EQ(first["best_text"].toString(), "58.32");
    EXPECT_EQ(first["figure"].toInt(), 5832);
    EXPECT_EQ(first["gap"].toString(), "");
    EXPECT_EQ(first["dsq"].toBool(), false);
    EXPECT_EQ(rows[1]["number"].toInt(), 2);
    EXPECT_EQ(rows[1]["gap"].toString(), "+2.15");
    EXPECT_EQ(rows[2]["number"].toInt(), 9);
    EXPECT_EQ(rows[2]["name"].toString(), "<b>x</b> & 'q' \"z\"");
    // Disqualified last, without a position; its laps are still its own.
    EXPECT_TRUE(rows[3]["pos"].isNull());
    EXPECT_EQ(rows[3]["number"].toInt(), 7);
    EXPECT_TRUE(rows[3]["dsq"].toBool());
    // Embedded in a page, no name can close a script.
    EXPECT_EQ(resultsJson(crafted(), "").find("<b>"), std::string::npos);
}

TEST(PublishedJson, RaceGapsInLapsProvisionalAndNoSession) {
    PublishedSession p = crafted(RankMode::Race);
    p.state = {};
    const QJsonObject o = parse(resultsJson(p, "t"));
    EXPECT_EQ(o["mode"].toString(), "race");
    EXPECT_EQ(o["state"].toString(), "Provisional");
    EXPECT_TRUE(o["issue"].isNull());
    const QJsonArray rows = o["results"].toArray();
    EXPECT_EQ(rows[0]["number"].toInt(), 5);
    EXPECT_EQ(rows[0]["figure"].toInt(), 6000 + 5832 + 5900);
    EXPECT_EQ(rows[0]["figure_text"].toString(), "2:57.32");
    EXPECT_EQ(rows[1]["gap"].toString(), "+1 lap");
    EXPECT_EQ(rows[2]["gap"].toString(), "+2 laps");
    const QJsonObject none = parse(resultsJson(PublishedSession{}, "t"));
    EXPECT_TRUE(none["session"].isNull());
    EXPECT_TRUE(none["results"].toArray().isEmpty());
}

TEST(PublishedJson, StandingsAndBrokenTextStayValid) {
    Standings s{
        .championship = "Winter \"Cup\"",
        .roundTitles = {"07/12 Sud", "14/12 Nord"},
        .rows = {{1, "Anna", 43, {25, 18}, {false, false}, 1},
                 {0, std::string("Bad \xff\x01 byte"), 10, {std::nullopt, 10}, {false, true}, 0}},
        .provisional = true,
        .roundInfo = {}};
    const QJsonObject o = parse(standingsJson(s, "t"));
    EXPECT_EQ(o["championship"].toString(), "Winter \"Cup\"");
    const QJsonArray rows = o["standings"].toArray();
    EXPECT_EQ(rows[0]["points"].toInt(), 43);
    EXPECT_TRUE(rows[1]["pos"].isNull());
    EXPECT_EQ(rows[1]["name"].toString(), QString::fromUtf8("Bad \xef\xbf\xbd\x01 byte"));
    EXPECT_TRUE(rows[1]["rounds"][0].isNull());
    EXPECT_TRUE(parse(standingsJson(std::nullopt, "t"))["championship"].isNull());
}

TEST(PublishedHtml, ExportIsOneSelfContainedPageWithEveryTextEscaped) {
    PublishedSession p = crafted();
    Standings s{.championship = "<i>Cup</i>",
                .roundTitles = {"R"},
                .rows = {{1, "Anna", 25, {25}, {false}, 1}},
                .provisional = false,
                .roundInfo = {}};
    const std::string page = exportPage(p, &s, "2026-12-07T14:31:05");
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    // Nothing to fetch and nothing to run.
    for (const char* banned : {"<script", "src=", "href=", "@import", "url(", "http"})
        EXPECT_EQ(page.find(banned), std::string::npos) << banned;
    EXPECT_NE(page.find("&lt;b&gt;x&lt;/b&gt; &amp; &#39;q&#39; &quot;z&quot;"), std::string::npos);
    EXPECT_NE(page.find("&lt;i&gt;Cup&lt;/i&gt;"), std::string::npos);
    EXPECT_NE(page.find("Official (issue 2)"), std::string::npos);
    // One row per driver in each table, in rank order, DSQ last.
    const QRegularExpression rows(
        "<tr[^>]*><td class=\"r pos\">([^<]*)</td><td class=\"r\">(\\d+)<");
    QStringList seen;
    for (auto it = rows.globalMatch(QString::fromStdString(page)); it.hasNext();) {
        const auto m = it.next();
        seen << m.captured(1) + "/" + m.captured(2);
    }
    EXPECT_EQ(seen, (QStringList{"1/5", "2/2", "3/9", "DSQ/7"}));
    EXPECT_NE(
        page.find("<td class=\"r pos\">1</td><td class=\"name\">Anna</td><td class=\"r\">25<"),
        std::string::npos);
    EXPECT_NE(exportPage(PublishedSession{}, nullptr, "t").find("No session"), std::string::npos);
}
