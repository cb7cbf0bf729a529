#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <tuple>

#include "fakes/DesktopFixture.h"

using namespace orvex;

namespace {

class SessionWindowTest : public DesktopFixture {
protected:
    void SetUp() override {
        DesktopFixture::SetUp();
        Session& s = session();
        s.SessionDrivers = "Anna\r\nBruno";
        s.FileState = FileState::Saved;
    }
    static QLineEdit* line(frmSession* f, int i) {
        return qobject_cast<QLineEdit*>(f->txtSession[i]);
    }
    static QPlainTextEdit* multi(frmSession* f, int i) {
        return qobject_cast<QPlainTextEdit*>(f->txtSession[i]);
    }
};

}  // namespace

TEST_F(SessionWindowTest, EscapeClosesAndKeepsTheEdits) {
    frmSession* f = windows.showSessionData();
    EXPECT_EQ(multi(f, 5)->toPlainText(), "Anna\nBruno");
    line(f, 4)->setText("Kart 125");
    multi(f, 6)->setPlainText("wet\nvery");
    key(f->txtSession[4], Qt::Key_Escape);
    EXPECT_EQ(windows.sessionData(), nullptr);
    EXPECT_EQ(session().SessionVehicle, "Kart 125");
    EXPECT_EQ(session().SessionNote, "wet\r\nvery");
    EXPECT_EQ(session().FileState, FileState::Modified);
}

TEST_F(SessionWindowTest, DriversAndNoteBoxesRefuseMoreThanADataFileStores) {
    frmSession* f = windows.showSessionData();
    // A line break is stored as CR LF: two characters.
    for (const auto& [box, fill, limit] :
         {std::tuple{5, QChar('x'), 100}, std::tuple{6, QChar(0xE9), 32767}}) {
        SCOPED_TRACE(box);
        QPlainTextEdit* edit = multi(f, box);
        edit->setPlainText(QString(limit - 2, fill));
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText("\n");
        edit->insertPlainText("y");
        EXPECT_EQ(edit->toPlainText(), QString(limit - 2, fill) + "\n");
    }
    f->GetData();
    EXPECT_EQ(session().SessionNote.size(), 32765u * 2 + 2);
}

TEST_F(SessionWindowTest, TextsBeyondTheLimitsAreShownWholeKeptByteForByteAndOnlyShortened) {
    Session& s = session();
    const std::string date(60, 'd'), drivers(300, 'r'), note = std::string(20000, '\n') + "a\rb";
    s.SessionDate = date;
    s.SessionDrivers = drivers;
    s.SessionNote = note;
    frmSession* f = windows.showSessionData();
    EXPECT_EQ(line(f, 0)->text().size(), 60);
    EXPECT_EQ(multi(f, 5)->toPlainText().size(), 300);
    f->close();
    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_EQ(std::tie(s.SessionDate, s.SessionDrivers, s.SessionNote),
              std::tie(date, drivers, note));

    // Typing cannot make them longer; deleting shortens them, and the note
    // keeps its lone LFs.
    f = windows.showSessionData();
    line(f, 0)->insert("x");
    multi(f, 5)->insertPlainText("x");
    EXPECT_EQ(f->text(0), date);
    EXPECT_EQ(f->text(5), drivers);
    line(f, 0)->end(false);  // a long text is shown from its start
    line(f, 0)->backspace();
    multi(f, 6)->moveCursor(QTextCursor::Start);
    multi(f, 6)->textCursor().deleteChar();
    f->close();
    EXPECT_EQ(s.SessionDate, std::string(59, 'd'));
    EXPECT_EQ(s.SessionNote.substr(0, 20000), std::string(19999, '\n') + "a");
    EXPECT_EQ(s.FileState, FileState::Modified);
}
