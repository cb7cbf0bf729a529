#pragma once
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "publish/Published.h"
#include "season/Season.h"

namespace orvex {

// View > Scoreboard: the results in large type in a window of its own, for a
// second monitor or a television. Rows are at least 1/25 of the window's
// height; what does not fit is shown in pages that turn every 8 seconds.
class frmScoreboard : public QWidget {
    Q_OBJECT

public:
    using Current = std::function<PublishedSession()>;
    using StandingsOf = std::function<std::optional<Standings>(const std::string&)>;
    using Names = std::function<std::vector<std::string>()>;

    static constexpr qint64 kPageMs = 8000;

    frmScoreboard(Current current, StandingsOf standings, Names championships,
                  QWidget* parent = nullptr);
    ~frmScoreboard() override;

    // Reads the session again (a download, a correction, an open).
    void refresh();
    // The screen, place and full-screen state of the last one closed.
    void restorePlace();

    // The championship whose standings follow the results; empty: none.
    void setChampionship(const std::string& name);
    const std::string& championship() const { return championship_; }

    // The milliseconds that turn the pages; tests give a clock of their own
    // and call tick().
    void setClock(std::function<qint64()> clock);
    void tick();

    const PublishedSession& shown() const { return shown_; }
    int rowHeight() const;
    int rowsPerPage() const;
    int pageCount() const;
    int page() const { return page_; }
    QString pageText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void toggleFullScreen();
    int resultPages() const;
    void startTitle(class QPainter& p, int row) const;
    void paintResults(class QPainter& p, int first);
    void paintStandings(class QPainter& p, int first);

    Current current_;
    StandingsOf standingsOf_;
    Names championships_;
    PublishedSession shown_;
    std::optional<Standings> standings_;
    std::string championship_;
    std::function<qint64()> clock_;
    QElapsedTimer elapsed_;
    qint64 pageStart_ = 0;
    int page_ = 0;
    QTimer timer_;
};

}  // namespace orvex
