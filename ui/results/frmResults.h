#pragma once
#include <QMdiSubWindow>
#include <QRect>
#include <initializer_list>
#include <vector>

#include "platform/qt/NormalGeometry.h"
#include "results/Results.h"
#include "ui/results/DriverLapsModel.h"
#include "ui/results/ResultsModel.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QMdiArea;
class QSortFilterProxyModel;
class QSpinBox;
class QSplitter;
class QTableView;

namespace orvex {

class IssueStore;
class LapChart;
class RaceCommands;

// "Results": the drivers ranked by the session's chosen mode, the laps of
// the current driver with their corrections, and the lap chart of the
// selected drivers. Its place, size and splitter live in the program's
// settings, not in the session.
class frmResults : public QMdiSubWindow {
    Q_OBJECT
public:
    // A new window loaded into `area` that changes the session through
    // `commands`; ChildWindows keeps it the only one. `issues` gives the
    // History list; null: none (no club database).
    static frmResults* Load(QMdiArea* area, RaceCommands& commands, IssueStore* issues = nullptr);
    ~frmResults() override;

    // Rebuilds the table, the laps and the chart from the session; the
    // selected drivers stay selected while they are listed.
    void refresh();
    // Every column as wide as what it holds now (a download brought other figures).
    void fitAllColumns();

    // The corrections the window's menus and boxes make, each one step of the
    // session's commands; the main window refreshes this window when it is done.
    void markLap(int driver, int lap, LapCorrection mark);
    void setPenalty(int driver, DriverPenalty penalty);
    void setRanking(RankMode mode, int run);
    void editLapRules();
    // "&Next suspect" (F3): selects the next suspect lap after the current
    // lap, driver by driver in the table's order, from the top again after
    // the last; false when the session has none.
    bool nextSuspect();

    int currentDriver() const;
    QTableView* table() const { return table_; }
    QTableView* lapsTable() const { return lapsTable_; }
    QSortFilterProxyModel* proxy() const { return proxy_; }
    ResultsModel* model() const { return model_; }
    DriverLapsModel* lapsModel() const { return laps_; }
    LapChart* chart() const { return chart_; }
    QSplitter* splitter() const { return split_; }
    // "Provisional", "Official (issue N, <date time>)", "Changed since issue N".
    QLabel* issueLabel() const { return lblIssue_; }
    // Every issue, newest first, each with what changed from the one before.
    QListWidget* history() const { return lstHistory_; }
    QAction* lapAction(LapCorrection mark) const;  // Join, Void, or None for Restore
    QLabel* suspectsLabel() const { return lblSuspects_; }
    // Undo and Redo of the session's steps, Ctrl+Z and Ctrl+Shift+Z while the
    // window has the focus.
    QAction* undoAction() const { return actUndo_; }
    QAction* redoAction() const { return actRedo_; }
    // The drivers selected in the table, in driver order.
    std::vector<int> selectedDrivers() const;

signals:
    // The main window clears the View check mark.
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    frmResults(QMdiArea* area, RaceCommands& commands, IssueStore* issues);
    // The columns whose widths follow a penalty or the ranking.
    void fitColumns(std::initializer_list<int> columns);
    void selectDrivers(const std::vector<int>& drivers, int current);
    void showDriver();
    void updateChart();
    void updateRanking();
    void updateIssue();
    void updateActions();
    void askPenalty();
    void askDisqualify();
    int currentLap() const;

    RaceCommands& commands_;
    ResultsModel* model_;
    QSortFilterProxyModel* proxy_;
    QTableView* table_;
    DriverLapsModel* laps_;
    QTableView* lapsTable_;
    LapChart* chart_;
    QSplitter* split_;      // the tables over the chart
    QSplitter* lapsSplit_;  // the results beside the laps
    QComboBox* cboRank_;
    QSpinBox* spnRun_;
    IssueStore* issues_;
    QLabel* lblIssue_;
    QListWidget* lstHistory_;
    // The session and issue the History list was read for.
    std::pair<std::int64_t, int> historyOf_{0, -1};
    QAction *actPenalty_, *actDisqualify_, *actJoin_, *actVoid_, *actRestore_;
    QAction *actUndo_, *actRedo_;
    QLabel* lblSuspects_;
    QPushButton* cmdNextSuspect_;
    NormalGeometry normalGeometry_;  // kept while minimised or maximised, for the settings
    // Where it opened when its saved place was out of the main window's area,
    // and that place, which the settings keep while it stands there.
    QRect sightRect_, storedGeometry_;
};

}  // namespace orvex
