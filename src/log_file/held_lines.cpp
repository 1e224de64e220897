#include "held_lines.h"

#include "contact_line.h"

#include <QHash>

namespace {

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

// Calls `take` with every line of `text`, in order, until it returns false.
template <typename View, typename Take> void forEachLine(View text, Take take)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isBreak(text[i]))
            continue;
        if (i > start && !take(text.sliced(start, i - start)))
            return;
        start = i + 1;
    }
}

// The lines of a file with how often it holds each; taken out, one by one, as the log is found
// to hold them.
template <typename View> class FileLines
{
public:
    void add(View line) { ++count_[line]; }
    bool isEmpty() const { return count_.isEmpty(); }

    // Takes out every line `log` holds; how many of the file's lines that was.
    qsizetype takeLinesOf(View log)
    {
        qsizetype taken = 0;
        forEachLine(log, [&](View line) {
            if (const auto found = count_.constFind(line); found != count_.cend()) {
                taken += found.value();
                count_.erase(found);
            }
            return !count_.isEmpty();
        });
        return taken;
    }

private:
    QHash<View, qsizetype> count_;
};

} // namespace

HeldContacts contactsHeld(QStringView logText, QStringView fileText)
{
    HeldContacts result;
    FileLines<QStringView> contacts;
    forEachLine(fileText, [&](QStringView line) {
        if (line.contains(sentNumberSeparator)) {
            contacts.add(line);
            ++result.contacts;
        }
        return true;
    });
    if (!contacts.isEmpty())
        result.held = contacts.takeLinesOf(logText);
    return result;
}

bool holdsLinesNotIn(QByteArrayView fileUtf8, QByteArrayView logUtf8)
{
    FileLines<QByteArrayView> lines;
    forEachLine(fileUtf8, [&](QByteArrayView line) {
        lines.add(line);
        return true;
    });
    if (!lines.isEmpty())
        lines.takeLinesOf(logUtf8);
    return !lines.isEmpty();
}
