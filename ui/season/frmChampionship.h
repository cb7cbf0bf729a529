#pragma once
#include <QMdiSubWindow>
#include <optional>
#include <string>

#include "platform/Status.h"
#include "season/Season.h"
#include "store/ChampionshipStore.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace orvex {

class ArchiveIndex;

// "Championship": the club's championships; for the one chosen, its standings,
// its rounds (issued sessions of the archive) and its points and rules. Every
// change is written to the club database at once and the lists read again,
// so another copy of the program's changes show too.
class frmChampionship : public QMdiSubWindow {
    Q_OBJECT
public:
    ~frmChampionship() override;
    // `issued`: the issues of the sessions; null counts every round as not issued.
    static frmChampionship* Load(QMdiArea* area, ChampionshipStore& store, ArchiveIndex& index,
                                 IssuedRounds* issued);

    // Reads the championships and the chosen one's standings again; `select`
    // becomes the chosen one.
    void refresh(std::optional<qint64> select = std::nullopt);

    // The commands, after their questions.
    void createChampionship(const QString& name);
    void renameChampionship(const QString& name);
    // Asks first.
    void deleteChampionship();
    void addRounds(const std::vector<std::int64_t>& lapHashes);
    void removeRound(int row);
    // The points and rules as the boxes hold them; a bad points table is
    // refused, said beside the box, and nothing is written.
    void applyPoints();
    Status writePdf(const std::string& path);
    Status writeCsv(const std::string& path);

    std::optional<qint64> current() const;
    const Standings& standings() const { return standings_; }
    QListWidget* championshipList() const { return list_; }
    QTabWidget* tabs() const { return tabs_; }
    QTableView* standingsView() const { return standingsView_; }
    QStandardItemModel* standingsModel() const { return standingsModel_; }
    QLabel* stateLabel() const { return state_; }
    QLabel* hintLabel() const { return hint_; }
    QTableWidget* roundsTable() const { return rounds_; }
    QComboBox* pointsBox() const { return points_; }
    QLabel* pointsError() const { return pointsError_; }
    QSpinBox* fastestLapBox() const { return fastest_; }
    QSpinBox* takingPartBox() const { return takingPart_; }
    QSpinBox* noPositionBox() const { return noPosition_; }
    QSpinBox* dropWorstBox() const { return dropWorst_; }
    QSpinBox* minRoundsBox() const { return minRounds_; }

    // A round's state as the Rounds tab says it.
    static QString roundStateText(const StandingsRound& r);

signals:
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmChampionship(QMdiArea* area, ChampionshipStore& store, ArchiveIndex& index,
                    IssuedRounds* issued);
    QWidget* makeStandingsTab();
    QWidget* makeRoundsTab();
    QWidget* makePointsTab();
    void loadCurrent();
    void fillStandings();
    void fillRounds();
    void askNew();
    void askRename();
    void askRounds();
    void printStandings();
    void exportPdf();
    void exportCsv();
    void enableButtons();

    ChampionshipStore& store_;
    ArchiveIndex& index_;
    IssuedRounds* issued_;
    std::optional<Championship> championship_;
    Standings standings_;

    QListWidget* list_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* hint_ = nullptr;
    QTableView* standingsView_ = nullptr;
    QStandardItemModel* standingsModel_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* pdf_ = nullptr;
    QPushButton* csv_ = nullptr;
    QTableWidget* rounds_ = nullptr;
    QPushButton* addRounds_ = nullptr;
    QPushButton* removeRound_ = nullptr;
    QComboBox* points_ = nullptr;
    QLabel* pointsError_ = nullptr;
    QSpinBox* fastest_ = nullptr;
    QSpinBox* takingPart_ = nullptr;
    QSpinBox* noPosition_ = nullptr;
    QSpinBox* dropWorst_ = nullptr;
    QSpinBox* minRounds_ = nullptr;
    QPushButton* apply_ = nullptr;
};

}  // namespace orvex
