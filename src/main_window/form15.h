#pragma once

#include "contact_log/contact_form.h"
#include "controls/command_button.h"
#include "controls/label.h"
#include "platform/journal_writers.h"
#include "platform/window_services.h"
#include "recovery/recovery_journal.h"

#include <QList>
#include <QObject>
#include <memory>

// The program's one window, without any toolkit: its seventeen controls with their layout and
// start state, the form-level texts, and one event procedure per handled event. The view draws
// it and hands it the operator's keystrokes and clicks.
class Form15 : public QObject, public ContactForm
{
    Q_OBJECT

public:
    explicit Form15(const WindowServices &services, QObject *parent = nullptr);

    static constexpr int clientWidthTwips = 5775;
    static constexpr int clientHeightTwips = 5325;
    QString caption() const { return QStringLiteral("Vandrel v1.2 - Morvit"); }

    Label Label1{QStringLiteral("Label1")};             // "Call", over the call box
    Label Label2{QStringLiteral("Label2")};             // "Locator"
    Label Label3{QStringLiteral("Label3")};             // "Prog Numb", received number
    Label Label4{QStringLiteral("Label4")};             // "Band", shown with Multiband
    CommandButton Command1{QStringLiteral("Command1")}; // "Add": logs the contact
    CommandButton Command2{QStringLiteral("Command2")}; // "Open": appends vandrel.txt
    CommandButton Command3{QStringLiteral("Command3")}; // "Save": writes vandrel.txt
    CommandButton Command4{QStringLiteral("Command4")}; // "Exit"

    // All seventeen controls, in the order of the layout table.
    const QList<Control *> &controls() const { return controls_; }
    // The control that has (or last asked for) the keyboard focus.
    Control *activeControl() const { return activeControl_; }

    // Any request to close the window: the close box, the system menu or "Exit". Runs
    // Form_QueryUnload; returns true when the window was unloaded.
    bool requestClose();
    bool isUnloaded() const { return unloaded_; }

    // The recovery file: the log text since the last "Save", kept on the disk.
    RecoveryJournal &recoveryJournal() { return *recovery_; }
    // Another Vandrel holds the log's directory and writes its own recovery file there: this
    // window keeps one under a name of its own (vandrel.recovery.PID) and never offers back the
    // other window's, which is still being written. Called before Form_Load.
    void shareLogDirectory();
    // Tells the recovery files of running windows from those of windows that ended, so that
    // only the latter are offered back at start. Called before Form_Load.
    void watchJournalWriters(const JournalWriters &writers) { journalWriters_ = &writers; }

    // Event procedures.
    void Form_Load();
    void Form_QueryUnload(int &Cancel, int UnloadMode);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Text1_Change();
    void Text2_Change();
    void Text4_Change();
    void Combo1_Change();
    void Text3_KeyDown(::KeyCode KeyCode, int Shift);
    void Text4_KeyDown(::KeyCode KeyCode, int Shift);
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();

signals:
    // The window was unloaded: the program ends.
    void Unloaded();
    // "Add" logged a contact: `line` (without its CR LF) is in the log text and on the disk.
    void contactLogged(const QString &line);

private:
    void applyLayout();
    void connectEvents();

public:
    // Judges the call in the call box again, as "Multiband" or the band does: after the station
    // brought contacts of other positions.
    void checkCallAgain();
    // The station holds `lines`, contacts of this position the log lacks, in the order it
    // logged them: asks whether to restore them and, on Yes, puts them in the log before its
    // lines, the sent number and the recovery file following as after "Open".
    void offerStationContacts(const QString &call, const QString &position,
                              const QStringList &lines);

private:
    void handFocusToCallBox();
    void restoreUnsavedLog();
    void keepRecoveryFile(const QString &path);
    // Runs a change of the log text that the program makes, which the log box's change
    // procedure must not take for an edit of the operator's.
    template <typename Change> void changeLog(Change change);
    void reportRecoveryFailure(const FileError &error);

    WindowServices services_;
    std::unique_ptr<RecoveryJournal> recovery_;
    const JournalWriters *journalWriters_ = nullptr;
    bool programChangesLog_ = false;
    bool recoveryProblemShown_ = false;
    QList<Control *> controls_;
    Control *activeControl_ = nullptr;
    bool unloaded_ = false;
};
