#include "main_window/form15.h"

#include "contact_line/bands.h"
#include "contact_line/contact_line.h"
#include "contact_log/contact_entry.h"
#include "contact_log/sent_number.h"
#include "contact_log/worked_before.h"
#include "log_file/log_file.h"
#include "main_window/log_recovery.h"
#include "main_window/operator_messages.h"
#include "platform/free_memory.h"

#include <QCoreApplication>
#include <algorithm>

Form15::Form15(const WindowServices &services, QObject *parent)
    : QObject(parent), services_(services)
{
    applyLayout();
    connectEvents();
    keepRecoveryFile(recoveryFilePath(services.logDirectory));

    // Labels and the frame take no focus: the window opens with the focus on the first control
    // of the tab order that does.
    for (Control *control : controls_) {
        if (control->canTakeFocus() &&
            (!activeControl_ || control->tabIndex() < activeControl_->tabIndex()))
            activeControl_ = control;
    }
}

void Form15::applyLayout()
{
    struct Row
    {
        Control *control;
        const char *caption; // nullptr: the control shows a text, not a caption
        TwipRect rect;
        int tabIndex;
        Control *container;
        bool visible;
    };
    Control *const window = nullptr;
    const Row table[] = {
        {&Frame1, nullptr, {240, 240, 5295, 1695}, 0, window, true},
        {&Label1, "Call", {240, 360, 735, 255}, 5, &Frame1, true},
        {&Label3, "Prog Numb", {1320, 360, 855, 255}, 7, &Frame1, true},
        {&Label2, "Locator", {2520, 360, 735, 255}, 6, &Frame1, true},
        {&Label4, "Band", {3720, 360, 855, 255}, 13, &Frame1, false},
        {&Text2, nullptr, {120, 720, 975, 285}, 1, &Frame1, true},
        {&Text3, nullptr, {1320, 720, 975, 285}, 2, &Frame1, true},
        {&Text4, nullptr, {2520, 720, 975, 285}, 3, &Frame1, true},
        {&Combo1, nullptr, {3720, 720, 1095, 315}, 12, &Frame1, false},
        {&Command1, "Add", {120, 1200, 855, 285}, 4, &Frame1, true},
        {&Check1, "gmt+1", {1200, 1200, 855, 255}, 14, &Frame1, true},
        {&Check2, "Multiband", {2040, 1200, 1215, 255}, 15, &Frame1, true},
        {&Check3, "HF", {3120, 1200, 615, 255}, 16, &Frame1, true},
        {&Text1, nullptr, {240, 2160, 5295, 2415}, 10, window, true},
        {&Command2, "Open", {1440, 4800, 855, 375}, 8, window, true},
        {&Command3, "Save", {2520, 4800, 735, 375}, 9, window, true},
        {&Command4, "Exit", {3480, 4800, 855, 375}, 11, window, true},
    };
    for (const Row &row : table) {
        if (row.caption)
            row.control->setCaption(QString::fromLatin1(row.caption));
        row.control->setGeometry(row.rect);
        row.control->setTabIndex(row.tabIndex);
        row.control->setContainer(row.container);
        row.control->setVisible(row.visible);
        controls_.append(row.control);
    }
}

void Form15::connectEvents()
{
    for (Control *control : controls_)
        connect(control, &Control::focusRequested, this,
                [this, control] { activeControl_ = control; });

    connect(&Command1, &CommandButton::Click, this, &Form15::Command1_Click);
    connect(&Command2, &CommandButton::Click, this, &Form15::Command2_Click);
    connect(&Command3, &CommandButton::Click, this, &Form15::Command3_Click);
    connect(&Command4, &CommandButton::Click, this, &Form15::Command4_Click);
    connect(&Text1, &TextBox::Change, this, &Form15::Text1_Change);
    connect(&Text2, &TextBox::Change, this, &Form15::Text2_Change);
    connect(&Text4, &TextBox::Change, this, &Form15::Text4_Change);
    connect(&Combo1, &ComboBox::textChanged, this, &Form15::Combo1_Change);
    connect(&Text3, &TextBox::KeyDown, this, &Form15::Text3_KeyDown);
    connect(&Text4, &TextBox::KeyDown, this, &Form15::Text4_KeyDown);
    connect(&Check1, &CheckBox::Click, this, &Form15::Check1_Click);
    connect(&Check2, &CheckBox::Click, this, &Form15::Check2_Click);
    connect(&Check3, &CheckBox::Click, this, &Form15::Check3_Click);
}

void Form15::keepRecoveryFile(const QString &path)
{
    recovery_ = std::make_unique<RecoveryJournal>(
        services_.files, path, [this] { return Text1.textLength(); },
        [this](qsizetype from) { return Text1.textFrom(from); });
    connect(recovery_.get(), &RecoveryJournal::writeFailed, this, &Form15::reportRecoveryFailure);
}

void Form15::shareLogDirectory()
{
    keepRecoveryFile(recoveryFilePath(services_.logDirectory) + u'.' +
                     QString::number(QCoreApplication::applicationPid()));
}

template <typename Change> void Form15::changeLog(Change change)
{
    programChangesLog_ = true;
    change();
    programChangesLog_ = false;
}

void Form15::reportRecoveryFailure(const FileError &error)
{
    // Once a session: the operator knows, and a box on every contact would stop the typing.
    if (recoveryProblemShown_)
        return;
    recoveryProblemShown_ = true;
    showRecoveryWriteFailure(services_.messages, error);
}

void Form15::restoreUnsavedLog()
{
    recoveryProblemShown_ = !checkLogDirectory(services_);
    const std::optional<RestoredLog> restored =
        askToRestoreUnsavedLogs(services_, recovery_->path(), journalWriters_);
    if (!restored)
        return;
    // As "Open" puts a log into the window: one change of the log box, then the sent number.
    changeLog([&] { Text1.setText(restored->logText); });
    RestoreSentNumber(lastContactLineOf(Text1), Frame1);
    // The other windows' files go only once this one holds their logs.
    if (recovery_->startFrom(restored->lastAddMsecs))
        setAsideRestoredJournals(services_, restored->otherJournals);
    // The recovery file's bytes and the decoded copies are gone; the log box holds the log.
    returnFreedMemory();
}

bool Form15::requestClose()
{
    if (unloaded_)
        return true;
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    if (cancel != 0)
        return false;
    // An edit still waiting for its delay goes to the disk: the log stays for the next start.
    recovery_->flush();
    unloaded_ = true;
    emit Unloaded();
    return true;
}

void Form15::Form_Load()
{
    for (const Band &band : bandList())
        Combo1.addItem(band.windowText.toString());
    // Before the window shows: the log of a session that ended without "Save" is offered back.
    restoreUnsavedLog();
}

void Form15::Form_QueryUnload(int &Cancel, int /*UnloadMode*/)
{
    // The log is discarded on Yes without a further question, saved or not; so a stray Enter
    // answers No.
    if (services_.messages.msgBox(QStringLiteral("Want to exit now?"),
                                  vbYesNo + vbDefaultButton2) != vbYes)
        Cancel = 1;
}

void Form15::Command1_Click()
{
    const qsizetype oldSize = Text1.textLength();
    ContactRefusal refusal = ContactRefusal::None;
    changeLog([&] { refusal = AddContact(*this, services_.clock); });
    // On the disk before the next event, and before any message: a contact once added is never
    // lost.
    if (Text1.textLength() > oldSize) {
        recovery_->contactAdded(oldSize, services_.clock.now());
        emit contactLogged(Text1.textFrom(oldSize).trimmed());
    }
    showRefusal(services_.messages, refusal);
    // Back to the box the message names, its text selected: a duplicate call is replaced by
    // typing the next one.
    TextBox *box = nullptr;
    switch (refusal) {
    case ContactRefusal::Duplicate:
    case ContactRefusal::MissingCall:
        box = &Text2;
        break;
    case ContactRefusal::MissingNumber:
        box = &Text3;
        break;
    case ContactRefusal::MissingLocator:
        box = &Text4;
        break;
    case ContactRefusal::None:
        return;
    }
    box->setFocus();
    box->setSelStart(0);
    box->setSelLength(box->textLength());
}

void Form15::Command2_Click()
{
    FileResult<OpenedLog> result = OpenedLog::Declined;
    {
        // The log before "Open", let go before the memory is given back.
        const QString oldText = Text1.text();
        const bool wasSaved = recovery_->isSaved();
        const auto addHeld = [this](qsizetype held, qsizetype contacts) {
            return addContactsAlreadyInLog(services_.messages, logFilePath(services_.logDirectory),
                                           held, contacts);
        };
        changeLog([&] {
            result = OpenLog(*this, {services_.logDirectory, services_.files}, addHeld);
        });
        if (!Text1.holds(oldText)) {
            // Into an empty window with nothing unsaved, the log is what the log file holds.
            if (wasSaved && oldText.isEmpty())
                recovery_->logReplaced(true);
            else if (Text1.textStartsWith(oldText))
                recovery_->logGrew(oldText.size());
            else
                recovery_->logReplaced();
        }
    }
    // The file's bytes, the decoded text and the recovery file's copy are gone: what the window
    // keeps is the log box's text and the document it shows.
    returnFreedMemory();
    showOpenResult(services_.messages, result);
    handFocusToCallBox();
}

void Form15::offerStationContacts(const QString &call, const QString &position,
                                  const QStringList &lines)
{
    if (lines.isEmpty() ||
        !restoreStationContacts(services_.messages, call, position, lines.size()))
        return;
    const QString oldText = Text1.text();
    changeLog([&] { Text1.setText(lines.join(lineEnd) + lineEnd.toString() + oldText); });
    RestoreSentNumber(lastContactLineOf(Text1), Frame1);
    if (oldText.isEmpty())
        recovery_->logGrew(0);
    else
        recovery_->logReplaced();
    handFocusToCallBox();
}

void Form15::Command3_Click()
{
    const FileResult<SavedLog> result = SaveLog(*this, {services_.logDirectory, services_.files});
    if (result)
        recovery_->logSaved(result.value().path, result.value().bytesWritten);
    showSaveResult(services_.messages, result);
    handFocusToCallBox();
}

void Form15::handFocusToCallBox()
{
    // As after an add: the next key is the next call, and a stray Enter cannot press "Open" or
    // "Save" again.
    Text2.setFocus();
}

void Form15::Command4_Click()
{
    requestClose();
}

void Form15::Text1_Change()
{
    // The caret at the end keeps the newest contact in view.
    Text1.setSelStart(Text1.textLength());
    if (!programChangesLog_)
        recovery_->logEdited();
}

void Form15::Text2_Change()
{
    CheckWorkedBefore(*this);
}

void Form15::Text4_Change()
{
    // Setting the upper-cased text runs this once more, nested; that run finds nothing to change.
    Text4.setText(Text4.text().toUpper());
    Text4.setSelStart(Text4.textLength());
}

void Form15::Combo1_Change()
{
    checkCallAgain();
}

void Form15::checkCallAgain()
{
    // The call's mark depends on the band and on "Multiband" as much as on the call: it is
    // judged again as if the call had just been typed, keeping the caret and the selection.
    const qsizetype caret = Text2.selStart();
    const qsizetype selected = Text2.selLength();
    CheckWorkedBefore(*this);
    Text2.setSelStart(caret);
    if (selected > 0)
        Text2.setSelLength(selected);
}

void Form15::Text3_KeyDown(::KeyCode KeyCode, int /*Shift*/)
{
    // Enter adds the contact exactly as "Add" does.
    if (KeyCode == vbKeyReturn)
        Command1.setValue(true);
}

void Form15::Text4_KeyDown(::KeyCode KeyCode, int /*Shift*/)
{
    if (KeyCode == vbKeyReturn)
        Command1.setValue(true);
}

void Form15::Check1_Click()
{
    // The next contact starts in the call box.
    Text2.setFocus();
}

void Form15::Check2_Click()
{
    if (Check2.value() == 1) {
        // The band stays "..." until the operator picks or types one.
        Label4.setVisible(true);
        Combo1.setVisible(true);
    } else {
        Label4.setVisible(false);
        Combo1.setVisible(false);
        Combo1.setText(noBandText.toString());
        Text2.setFocus();
    }
    checkCallAgain();
}

void Form15::Check3_Click()
{
    // Hiding the locator keeps its text: the next contact line still carries it.
    const bool hf = Check3.value() == 1;
    Text4.setVisible(!hf);
    Label2.setVisible(!hf);
}
