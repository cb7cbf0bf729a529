#pragma once
#include <QDialog>
#include <QString>

class QCheckBox;
class QCompleter;
class QStringListModel;
class QTableWidget;

namespace orvex {

class RaceCommands;
class Roster;
class Session;

// "Drivers": the name of each number 1 to 30 for this session, typed in place
// with completion from the club's roster, or imported from a CSV file.
// Numbers without laps look as editable as the others: names are usually
// typed before the download. OK is one step of the session's commands,
// undone in the Results window.
class frmDrivers : public QDialog {
    Q_OBJECT
public:
    enum Column { No, Name, Laps };

    // The names of `commands`' session. `roster` may be null: then nothing
    // completes and nothing is remembered.
    frmDrivers(RaceCommands& commands, Roster* roster, QWidget* parent = nullptr);

    // Race > Drivers.
    static void Edit(QWidget* parent, RaceCommands& commands, Roster* roster);

    QTableWidget* table() const { return table_; }
    QCompleter* completer() const { return completer_; }
    QCheckBox* keepBox() const { return chkKeep_; }
    // "Keep these names for the next session", as last confirmed with OK:
    // File > New then starts with the session's names.
    static bool keepNames();
    QString nameOf(int driver) const;
    void setNameOf(int driver, const QString& name);

    // "Import...": asks for a CSV file, then imports it.
    void importAsked();
    // Takes the names of `path` into the table, remembers them in the roster
    // and says in one message what was taken and what was skipped.
    void importFile(const std::string& path);
    // "Clear": every name of the table emptied, once the user says yes.
    void clearNames();
    // OK: the cleaned names go to the session, as one step when they changed,
    // and to the roster.
    void accept() override;
    bool namesChanged() const { return changed_; }

private:
    void addToCompletion(const std::vector<std::string>& names);

    RaceCommands& commands_;
    const Session& session_;
    Roster* roster_;
    QTableWidget* table_;
    QStringListModel* completionNames_;
    QCompleter* completer_;
    QCheckBox* chkKeep_;
    bool changed_ = false;
};

}  // namespace orvex
