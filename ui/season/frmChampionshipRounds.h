#pragma once
#include <QDialog>
#include <cstdint>
#include <vector>

class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace orvex {

class ArchiveIndex;

// "Add rounds": the archive's sessions, newest first, searched by the
// archive's own query as the Archive window searches them (the first
// kShown found); the chosen ones become rounds.
class frmChampionshipRounds : public QDialog {
    Q_OBJECT
public:
    frmChampionshipRounds(QWidget* parent, ArchiveIndex& index);
    // The sessions chosen, by their key.
    std::vector<std::int64_t> chosen() const;
    static constexpr int kShown = 500;

    QLineEdit* searchBox() const { return search_; }
    QTableView* sessionsView() const { return view_; }

private:
    void runSearch();

    ArchiveIndex& index_;
    QLineEdit* search_ = nullptr;
    QTableView* view_ = nullptr;
    QStandardItemModel* model_ = nullptr;
};

}  // namespace orvex
