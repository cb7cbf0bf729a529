#include "ui/publish/frmScoreboard.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <algorithm>

#include "session/TimeFormat.h"

namespace orvex {

namespace {

QSettings programSettings() { return QSettings("ORVEX", "ORVEX"); }
constexpr const char* kGeometryKey = "Scoreboard/geometry";
constexpr const char* kScreenKey = "Scoreboard/screen";
constexpr const char* kChampionshipKey = "Scoreboard/championship";

// High contrast for a screen seen across a room.
const QColor kBackground(0x0b, 0x0d, 0x10);
const QColor kText(0xff, 0xff, 0xff);
const QColor kDim(0xb8, 0xbe, 0xc4);
const QColor kStripe(0x1a, 0x1e, 0x23);
const QColor kFastest(0xe0, 0xa3, 0xff);
const QColor kProvisional(0xff, 0xa6, 0x2b);
const QColor kOfficial(0x4c, 0xd9, 0x7b);

QString text(const std::string& s) { return QString::fromStdString(s); }

QString stateWords(const IssueState& s) {
    switch (s.kind) {
        case IssueKind::Official:
            return frmScoreboard::tr("Official (issue %1)").arg(s.issue);
        case IssueKind::Changed:
            return frmScoreboard::tr("Changed since issue %1").arg(s.issue);
        case IssueKind::Provisional:
            break;
    }
    return frmScoreboard::tr("Provisional");
}

QString figureWords(RankMode mode, int run) {
    switch (mode) {
        case RankMode::Race:
            return frmScoreboard::tr("Race time");
        case RankMode::BestConsecutive:
            return frmScoreboard::tr("Best %1 consecutive").arg(run);
        case RankMode::BestLap:
            break;
    }
    return frmScoreboard::tr("Best lap");
}

// A column: its share of the width in characters of the font, and alignment.
struct Column {
    double chars;
    Qt::Alignment align;
};

}  // namespace

frmScoreboard::frmScoreboard(Current current, StandingsOf standings, Names championships,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      current_(std::move(current)),
      standingsOf_(std::move(standings)),
      championships_(std::move(championships)) {
    setWindowTitle(tr("Scoreboard"));
    setObjectName("frmScoreboard");
    setMinimumSize(320, 200);
    resize(1024, 640);
    elapsed_.start();
    clock_ = [this] { return elapsed_.elapsed(); };
    championship_ = programSettings().value(kChampionshipKey).toString().toStdString();
    connect(&timer_, &QTimer::timeout, this, &frmScoreboard::tick);
    timer_.start(500);
    refresh();
}

frmScoreboard::~frmScoreboard() {
    QSettings settings = programSettings();
    settings.setValue(kGeometryKey, saveGeometry());
    if (screen()) settings.setValue(kScreenKey, screen()->name());
    settings.setValue(kChampionshipKey, text(championship_));
}

void frmScoreboard::restorePlace() {
    QSettings settings = programSettings();
    const QString name = settings.value(kScreenKey).toString();
    const auto screens = QGuiApplication::screens();
    const bool screenThere = std::any_of(screens.begin(), screens.end(),
                                         [&](const QScreen* s) { return s->name() == name; });
    // A screen since unplugged: the window opens where the program is instead.
    if (screenThere) restoreGeometry(settings.value(kGeometryKey).toByteArray());
}

void frmScoreboard::refresh() {
    shown_ = current_ ? current_() : PublishedSession{};
    standings_ =
        championship_.empty() || !standingsOf_ ? std::nullopt : standingsOf_(championship_);
    if (page_ >= pageCount()) page_ = 0;
    update();
}

void frmScoreboard::setChampionship(const std::string& name) {
    championship_ = name;
    refresh();
}

void frmScoreboard::setClock(std::function<qint64()> clock) {
    clock_ = std::move(clock);
    pageStart_ = clock_();
}

void frmScoreboard::tick() {
    const qint64 now = clock_();
    if (now - pageStart_ < kPageMs) return;
    pageStart_ = now;
    const int pages = pageCount();
    const int next = pages > 0 ? (page_ + 1) % pages : 0;
    if (next != page_) {
        page_ = next;
        update();
    }
}

int frmScoreboard::rowHeight() const {
    // 1/22 of the height keeps to more than 1/25 with room for the header;
    // a small window keeps a readable minimum.
    return std::max(height() / 22, 24);
}

int frmScoreboard::rowsPerPage() const {
    const int row = rowHeight();
    return std::max(1, (height() - row * 9 / 2) / row);
}

int frmScoreboard::resultPages() const {
    const int rows = int(shown_.results.rows.size());
    return std::max(1, (rows + rowsPerPage() - 1) / rowsPerPage());
}

int frmScoreboard::pageCount() const {
    int pages = resultPages();
    if (standings_) {
        const int rows = std::max<int>(1, int(standings_->rows.size()));
        pages += (rows + rowsPerPage() - 1) / rowsPerPage();
    }
    return pages;
}

QString frmScoreboard::pageText() const {
    return tr("page %1 of %2").arg(page_ + 1).arg(pageCount());
}

void frmScoreboard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (page_ >= pageCount()) page_ = 0;
}

namespace {

// Lays columns over `width` in proportion to their characters; the one with
// chars 0 takes what is left.
std::vector<QRect> columnRects(const std::vector<Column>& columns, int x, int y, int width,
                               int height, int charWidth) {
    int fixed = 0;
    for (const Column& c : columns) fixed += int(c.chars * charWidth);
    const int rest = std::max(charWidth * 4, width - fixed);
    std::vector<QRect> rects;
    for (const Column& c : columns) {
        const int w = c.chars > 0 ? int(c.chars * charWidth) : rest;
        rects.emplace_back(x, y, w - charWidth, height);  // a blank between columns
        x += w;
    }
    return rects;
}

}  // namespace

void frmScoreboard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int row = rowHeight();
    if (!shown_.present) {
        QFont f = font();
        f.setPixelSize(row * 2);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kDim);
        p.drawText(rect(), Qt::AlignCenter, tr("No session"));
        return;
    }
    const int results = resultPages();
    if (page_ < results)
        paintResults(p, page_ * rowsPerPage());
    else
        paintStandings(p, (page_ - results) * rowsPerPage());

    // The footer: the session's best lap and the page.
    QFont f = font();
    f.setPixelSize(row * 55 / 100);
    p.setFont(f);
    const QRect footer(row / 2, height() - row, width() - row, row);
    const RaceResults& r = shown_.results;
    if (const DriverResult* best = r.best > 0 ? r.find(r.bestDriver) : nullptr) {
        p.setPen(kFastest);
        QString who = tr("No. %1").arg(best->driver);
        if (!best->name.empty()) who += "  " + text(best->name);
        p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                   tr("Best lap %1: %2").arg(text(clockText(r.best)), who));
    }
    p.setPen(kDim);
    if (pageCount() > 1) p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, pageText());
}

// A page's title line: bold, nine tenths of a row high.
void frmScoreboard::startTitle(QPainter& p, int row) const {
    QFont title = font();
    title.setPixelSize(row * 9 / 10);
    title.setBold(true);
    p.setFont(title);
    p.setPen(kText);
}

void frmScoreboard::paintResults(QPainter& p, int first) {
    const int row = rowHeight();
    const int margin = row / 2;
    startTitle(p, row);
    const QRect titleRect(margin, 0, width() - 2 * margin, row * 3 / 2);
    p.drawText(
        titleRect, Qt::AlignLeft | Qt::AlignVCenter,
        p.fontMetrics().elidedText(text(shown_.track), Qt::ElideRight, titleRect.width() * 6 / 10));
    // The state stands out at the top right.
    const QString state = stateWords(shown_.state);
    p.setPen(shown_.state.kind == IssueKind::Official ? kOfficial : kProvisional);
    p.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter, state);

    QFont meta = font();
    meta.setPixelSize(row * 55 / 100);
    p.setFont(meta);
    p.setPen(kDim);
    QStringList parts;
    for (const std::string* s : {&shown_.date, &shown_.time, &shown_.vehicle})
        if (!s->empty()) parts << text(*s);
    p.drawText(QRect(margin, row * 3 / 2, width() - 2 * margin, row), Qt::AlignLeft | Qt::AlignTop,
               parts.join(QString(2, ' ') + QChar(0x00B7) + QString(2, ' ')));

    QFont body = font();
    body.setPixelSize(row * 62 / 100);
    const int charWidth = QFontMetrics(body).horizontalAdvance('0');
    const std::vector<Column> columns = {{3.5, Qt::AlignRight}, {3.5, Qt::AlignRight},
                                         {0, Qt::AlignLeft},    {10.5, Qt::AlignRight},
                                         {9, Qt::AlignRight},   {4.5, Qt::AlignRight}};
    const RaceResults& r = shown_.results;
    int y = row * 5 / 2;
    QFont head = body;
    head.setPixelSize(row * 45 / 100);
    p.setFont(head);
    p.setPen(kDim);
    const QStringList titles = {tr("Pos"), tr("No."), tr("Name"), figureWords(r.mode, r.run),
                                tr("Gap"), tr("Laps")};
    auto cells = columnRects(columns, margin, y, width() - 2 * margin, row, charWidth);
    for (int c = 0; c < int(cells.size()); ++c)
        p.drawText(cells[c], columns[c].align | Qt::AlignBottom, titles[c]);
    y += row;
    if (r.rows.empty()) {
        p.setFont(body);
        p.drawText(QRect(margin, y, width() - 2 * margin, row), Qt::AlignLeft | Qt::AlignVCenter,
                   tr("No laps yet"));
        return;
    }
    const int last = std::min<int>(int(r.rows.size()), first + rowsPerPage());
    QFont bold = body;
    bold.setBold(true);
    for (int i = first; i < last; ++i, y += row) {
        const DriverResult& d = r.rows[i];
        if ((i - first) % 2 == 0) p.fillRect(QRect(0, y, width(), row), kStripe);
        const bool fastest = r.best > 0 && d.driver == r.bestDriver;
        if (fastest) p.fillRect(QRect(0, y, margin / 2, row), kFastest);
        cells = columnRects(columns, margin, y, width() - 2 * margin, row, charWidth);
        const QString pos = d.disqualified ? tr("DSQ") : d.pos > 0 ? QString::number(d.pos) : "";
        const QString values[] = {pos,
                                  QString::number(d.driver),
                                  text(d.name),
                                  text(clockText(figureOf(d, r.mode))),
                                  text(gapText(d)),
                                  QString::number(d.laps)};
        for (int c = 0; c < 6; ++c) {
            p.setFont(c == 0 || c == 2 ? bold : body);
            p.setPen(d.disqualified                                       ? kDim
                     : (fastest && c == 3 && r.mode == RankMode::BestLap) ? kFastest
                                                                          : kText);
            p.drawText(cells[c], columns[c].align | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(values[c], Qt::ElideRight, cells[c].width()));
        }
    }
}

void frmScoreboard::paintStandings(QPainter& p, int first) {
    const int row = rowHeight();
    const int margin = row / 2;
    startTitle(p, row);
    p.drawText(QRect(margin, 0, width() - 2 * margin, row * 3 / 2),
               Qt::AlignLeft | Qt::AlignVCenter, text(standings_->championship));
    if (standings_->provisional) {
        p.setPen(kProvisional);
        p.drawText(QRect(margin, 0, width() - 2 * margin, row * 3 / 2),
                   Qt::AlignRight | Qt::AlignVCenter, tr("Provisional"));
    }
    if (!standings_->roundTitles.empty()) {
        QFont meta = font();
        meta.setPixelSize(row * 55 / 100);
        p.setFont(meta);
        p.setPen(kDim);
        p.drawText(QRect(margin, row * 3 / 2, width() - 2 * margin, row),
                   Qt::AlignLeft | Qt::AlignTop,
                   tr("Last round: %1").arg(text(standings_->roundTitles.back())));
    }
    QFont body = font();
    body.setPixelSize(row * 62 / 100);
    const int charWidth = QFontMetrics(body).horizontalAdvance('0');
    const std::vector<Column> columns = {
        {3.5, Qt::AlignRight}, {0, Qt::AlignLeft}, {8, Qt::AlignRight}, {6, Qt::AlignRight}};
    int y = row * 5 / 2;
    QFont head = body;
    head.setPixelSize(row * 45 / 100);
    p.setFont(head);
    p.setPen(kDim);
    const QStringList titles = {tr("Pos"), tr("Name"), tr("Points"), tr("Wins")};
    auto cells = columnRects(columns, margin, y, width() - 2 * margin, row, charWidth);
    for (int c = 0; c < 4; ++c) p.drawText(cells[c], columns[c].align | Qt::AlignBottom, titles[c]);
    y += row;
    p.setFont(body);
    const auto& rows = standings_->rows;
    const int last = std::min<int>(int(rows.size()), first + rowsPerPage());
    for (int i = first; i < last; ++i, y += row) {
        const StandingsRow& s = rows[i];
        if ((i - first) % 2 == 0) p.fillRect(QRect(0, y, width(), row), kStripe);
        cells = columnRects(columns, margin, y, width() - 2 * margin, row, charWidth);
        const QString values[] = {s.pos > 0 ? QString::number(s.pos) : QString(), text(s.name),
                                  QString::number(s.points), QString::number(s.wins)};
        p.setPen(kText);
        for (int c = 0; c < 4; ++c)
            p.drawText(cells[c], columns[c].align | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(values[c], Qt::ElideRight, cells[c].width()));
    }
}

void frmScoreboard::toggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

void frmScoreboard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11) {
        toggleFullScreen();
    } else if (event->key() == Qt::Key_Escape && isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void frmScoreboard::mouseDoubleClickEvent(QMouseEvent*) { toggleFullScreen(); }

void frmScoreboard::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(isFullScreen() ? tr("Leave &full screen") : tr("&Full screen"), this,
                   &frmScoreboard::toggleFullScreen);
    QMenu* standings = menu.addMenu(tr("&Standings page"));
    auto* group = new QActionGroup(standings);
    QAction* none = standings->addAction(tr("&None"), this, [this] { setChampionship({}); });
    none->setCheckable(true);
    none->setChecked(championship_.empty());
    group->addAction(none);
    for (const std::string& name : championships_ ? championships_() : std::vector<std::string>{}) {
        QAction* a = standings->addAction(QString(text(name)).replace("&", "&&"), this,
                                          [this, name] { setChampionship(name); });
        a->setCheckable(true);
        a->setChecked(name == championship_);
        group->addAction(a);
    }
    menu.exec(event->globalPos());
}

}  // namespace orvex
