#pragma once
#include <QMdiSubWindow>
#include <QRect>
#include <array>
#include <optional>
#include <string>

class QFrame;
class QLabel;
class QMdiArea;

namespace orvex {

// "Session Data": the seven descriptive texts of the session.
class frmSession : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kFields = 7;

    // A new window loaded into `area`; ChildWindows keeps it the only one.
    static frmSession* Load(QMdiArea* area);

    QFrame* SSPanel1 = nullptr;
    std::array<QLabel*, kFields> Label1{};
    // One-line boxes are QLineEdit, the Drivers and Note boxes QPlainTextEdit.
    std::array<QWidget*, kFields> txtSession{};

    // The text of box `index` as the session stores it.
    std::string text(int index) const;
    void setText(int index, const std::string& value);

    void GetWinPosition();
    void GetData();
    void UnloadForm();

signals:
    // The main window releases its "Session" button and clears the check mark.
    void unloaded();
    // The track length was typed: the list windows show their lines anew.
    void trackLengthChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit frmSession(QMdiArea* area);
    void Form_Load();
    void txtSession_Change(int index);
    QString boxText(int index) const;
    void fillBox(int index, const QString& shown);
    // What box `index` showing `shown` stores in the session.
    std::string stored(int index, const QString& shown) const;

    // A box cannot hold every text a file may bring (a lone CR, a NUL), so
    // each keeps the session's text as it was given until the user edits it.
    std::array<std::string, kFields> given_;
    std::array<QString, kFields> shownAsGiven_;
    // The last text of each box within its limit, or no longer than before.
    std::array<QString, kFields> accepted_;
    bool filling_ = false;
    // Where the window opened when its stored place was out of sight; while
    // it stands there the record keeps the stored place.
    std::optional<QRect> sightRect_;
};

}  // namespace orvex
