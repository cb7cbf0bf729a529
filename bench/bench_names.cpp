// Driver names: opens and saves a full session with 30 names, imports a CSV
// file of 10,000 rows, and looks up completions over a roster of 10,000
// names; prints the time of each.

#include <QCompleter>
#include <QElapsedTimer>
#include <QFile>
#include <QStringListModel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchApp.h"
#include "names/NamesImport.h"
#include "session/DataFile.h"
#include "session/Session.h"
#include "store/ClubDatabase.h"

using namespace orvex;

namespace {

double msSince(const QElapsedTimer& t, int rounds) { return t.nsecsElapsed() / 1e6 / rounds; }

}  // namespace

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    QTemporaryDir dir;
    const std::string name = dir.filePath("Race1.DAT").toStdString();

    Session& s = fullSession();
    for (int d = 1; d <= kDrivers; ++d)
        s.DriverNames[d] =
            "Driver N\xC3\xBA"
            "mero " +
            std::to_string(d) + " \xF0\x9F\x8F\x81";
    s.FileState = FileState::Modified;

    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rounds; ++r)
        if (!File_Write(name, nullptr)) return 1;
    const double saveMs = msSince(timer, rounds);
    timer.restart();
    for (int r = 0; r < rounds; ++r) {
        s.ResetSession();
        if (File_Read(name, s) != FileRead::Whole || s.DriverNames[30].empty()) return 1;
    }
    const double openMs = msSince(timer, rounds);

    // 10,000 rows: numbers 1 to 40, so a quarter are skipped, every name different.
    QByteArray csv = "No.;Name\r\n";
    for (int i = 0; i < 10000; ++i)
        csv += QByteArray::number(i % 40 + 1) + ";Fahrer M\xC3\xBCller " + QByteArray::number(i) +
               "\r\n";
    const QString csvName = dir.filePath("names.csv");
    QFile out(csvName);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv) != csv.size()) return 1;
    out.close();
    const int importRounds = std::max(1, rounds / 10);
    timer.restart();
    NamesImport imported;
    for (int r = 0; r < importRounds; ++r) imported = ImportNamesFile(csvName.toStdString());
    const double importMs = msSince(timer, importRounds);

    // The roster: every imported name remembered in one transaction, then all read back.
    ClubDatabase club(dir.filePath("club"));
    std::vector<std::string> roster;
    for (int i = 0; i < 10000; ++i) roster.push_back("Pilota " + std::to_string(i * 7919 % 10007));
    timer.restart();
    if (!club.remember(roster, {2026, 12, 7}).isOk()) return 1;
    const double rememberMs = msSince(timer, 1);
    timer.restart();
    const std::vector<std::string> known = club.names();
    const double loadMs = msSince(timer, 1);

    QStringList list;
    for (const std::string& n : known) list << QString::fromStdString(n);
    list.sort(Qt::CaseInsensitive);
    QStringListModel model(list);
    QCompleter completer(&model);
    completer.setCaseSensitivity(Qt::CaseInsensitive);
    completer.setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    const char* const prefixes[] = {"p", "PI", "pilota 1", "Pilota 99", "pilota 5003", "x"};
    int found = 0;
    const int lookups = rounds * 10;
    timer.restart();
    for (int r = 0; r < lookups; ++r) {
        completer.setCompletionPrefix(prefixes[r % 6]);
        found += completer.completionCount() > 0 ? 1 : 0;
        (void)completer.currentCompletion();
    }
    const double lookupMs = msSince(timer, lookups);

    std::printf("open, 30 names:   %.3f ms each (%d rounds)\n", openMs, rounds);
    std::printf("save, 30 names:   %.3f ms each (temporary file, flush, replace)\n", saveMs);
    std::printf("import 10,000 rows: %.3f ms (%zu names taken, %d skipped)\n", importMs,
                imported.names.size(), imported.skipped);
    std::printf("roster of %zu names: remembered at once %.1f ms, read back %.1f ms\n",
                known.size(), rememberMs, loadMs);
    std::printf("completion lookup over the roster: %.4f ms each (%d of %d found)\n", lookupMs,
                found, lookups);
    return 0;
}
