#include "log_file/held_lines.h"

#include "contact_line/contact_line.h"

#include <QHash>
#include <cstring>

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

// A line as a hash key, its hash taken once. The hash is a quick one of the line's bytes, much
// cheaper than QHash's seeded one for a million lines; a log file holds no keys an attacker
// chose to collide, and a collision only costs a comparison.
template <typename View> struct LineKey
{
    explicit LineKey(View line) : text(line), hash(hashOf(line)) {}

    View text;
    size_t hash;

    friend bool operator==(const LineKey &a, const LineKey &b)
    {
        return a.hash == b.hash && a.text == b.text;
    }
    friend size_t qHash(const LineKey &key, size_t salt) { return key.hash ^ salt; }

private:
    static size_t hashOf(View line)
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(line.data());
        const size_t size = size_t(line.size()) * sizeof(line.data()[0]);
        quint64 h = 0x9E3779B97F4A7C15ull ^ size;
        size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            quint64 word;
            std::memcpy(&word, bytes + i, 8);
            h = (h ^ word) * 0xFF51AFD7ED558CCDull;
            h ^= h >> 32;
        }
        for (; i < size; ++i)
            h = (h ^ bytes[i]) * 0x100000001B3ull;
        h ^= h >> 29;
        return size_t(h);
    }
};

// The lines of one text, with how often it holds each: built from the shorter of the two texts,
// so that a long text is only walked through, never put in a table.
template <typename View> class LineTable
{
public:
    // Room for as many lines as a text of that size holds, at least a contact line's length a
    // line: growing the table a line at a time would cost more than the look-ups.
    explicit LineTable(qsizetype textSize) { count_.reserve(textSize / 40 + 1); }

    // Every line of `text` for which `wanted` holds.
    template <typename Wanted> void addLinesOf(View text, Wanted wanted)
    {
        forEachLine(text, [&](View line) {
            if (wanted(line))
                ++count_[LineKey<View>(line)];
            return true;
        });
    }
    bool contains(View line) const { return count_.contains(LineKey<View>(line)); }
    bool isEmpty() const { return count_.isEmpty(); }

    // Takes out every line `text` holds; how many lines of the table's text that was.
    qsizetype takeLinesOf(View text)
    {
        qsizetype taken = 0;
        forEachLine(text, [&](View line) {
            if (const auto found = count_.constFind(LineKey<View>(line)); found != count_.cend()) {
                taken += found.value();
                count_.erase(found);
            }
            return !count_.isEmpty();
        });
        return taken;
    }

private:
    QHash<LineKey<View>, qsizetype> count_;
};

bool isContactLine(QStringView line)
{
    return line.contains(sentNumberSeparator);
}

bool anyLine(auto)
{
    return true;
}

} // namespace

HeldContacts contactsHeld(QStringView logText, QStringView fileText)
{
    HeldContacts result;
    if (logText.size() < fileText.size()) {
        LineTable<QStringView> logLines(logText.size());
        logLines.addLinesOf(logText, anyLine<QStringView>);
        forEachLine(fileText, [&](QStringView line) {
            if (isContactLine(line)) {
                ++result.contacts;
                result.held += logLines.contains(line) ? 1 : 0;
            }
            return true;
        });
        return result;
    }
    LineTable<QStringView> contacts(fileText.size());
    contacts.addLinesOf(fileText, [&](QStringView line) {
        const bool contact = isContactLine(line);
        result.contacts += contact ? 1 : 0;
        return contact;
    });
    if (!contacts.isEmpty())
        result.held = contacts.takeLinesOf(logText);
    return result;
}

bool holdsLinesNotIn(QByteArrayView fileUtf8, QByteArrayView logUtf8)
{
    if (logUtf8.size() < fileUtf8.size()) {
        LineTable<QByteArrayView> logLines(logUtf8.size());
        logLines.addLinesOf(logUtf8, anyLine<QByteArrayView>);
        bool lacking = false;
        forEachLine(fileUtf8, [&](QByteArrayView line) {
            lacking = !logLines.contains(line);
            return !lacking;
        });
        return lacking;
    }
    LineTable<QByteArrayView> fileLines(fileUtf8.size());
    fileLines.addLinesOf(fileUtf8, anyLine<QByteArrayView>);
    if (!fileLines.isEmpty())
        fileLines.takeLinesOf(logUtf8);
    return !fileLines.isEmpty();
}
