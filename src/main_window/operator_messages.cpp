#include "operator_messages.h"

#include "sent_number.h"

#include <QDir>

namespace {

const QString logFileTitle = QStringLiteral("Morvit Vandrel");

// The path as the operator knows it, with the platform's own separator.
QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString reasonText(const FileError &error)
{
    if (error.kind == FileErrorKind::TooLarge)
        return QStringLiteral("The file is larger than %1 MB").arg(defaultReadLimit >> 20);
    return error.reason.isEmpty() ? QStringLiteral("Unknown error") : error.reason;
}

} // namespace

void showRefusal(MessageService &messages, ContactRefusal refusal)
{
    QString prompt;
    switch (refusal) {
    case ContactRefusal::None:
        return;
    case ContactRefusal::Duplicate:
        prompt = QStringLiteral("Duplicate!");
        break;
    case ContactRefusal::MissingCall:
        prompt = QStringLiteral("Insert CallSign");
        break;
    case ContactRefusal::MissingNumber:
        prompt = QStringLiteral("Insert Progressive Number");
        break;
    case ContactRefusal::MissingLocator:
        prompt = QStringLiteral("Insert Locator");
        break;
    case ContactRefusal::SentNumbersUsedUp:
        prompt = QStringLiteral("Last sent number %1 reached").arg(lastSentNumber);
        break;
    }
    messages.msgBox(prompt, vbOKOnly);
}

void showSaveResult(MessageService &messages, const SaveResult &result)
{
    switch (result.outcome) {
    case SaveResult::Saved:
        messages.msgBox(QStringLiteral("Log saved in ") + shownPath(result.path), vbInformation,
                        logFileTitle);
        return;
    case SaveResult::EmptyLog:
        messages.msgBox(QStringLiteral("Impossible to save an empty log"), vbInformation,
                        logFileTitle);
        return;
    case SaveResult::Failed:
        messages.msgBox(
            QStringLiteral("Impossible to save the log in %1:\n%2\nThe file is as it was before; "
                           "the log is still in the window.")
                .arg(shownPath(result.path), reasonText(result.error)),
            vbExclamation, logFileTitle);
        return;
    }
}

void showOpenResult(MessageService &messages, const OpenResult &result)
{
    switch (result.outcome) {
    case OpenResult::Opened:
        return;
    case OpenResult::NotFound:
        messages.msgBox(QStringLiteral("Log not found!."), vbExclamation, logFileTitle);
        return;
    case OpenResult::Failed:
        messages.msgBox(
            QStringLiteral(
                "Impossible to read the log %1:\n%2\nThe log in the window is unchanged.")
                .arg(shownPath(result.path), reasonText(result.error)),
            vbExclamation, logFileTitle);
        return;
    }
}
