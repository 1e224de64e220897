#include "held_lines.h"

#include "contact_line.h"

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
    friend size_t qHash(const LineKey &key, size_t seed) { return key.hash ^ seed; }

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

// The lines of a file with how often it holds each; taken out, one by one, as the log is found
// to hold them.
template <typename View> class FileLines
{
public:
    // Room for as many lines as a text of that size holds, at least a contact line's length a
    // line: growing the table a line at a time would cost more than the look-ups.
    explicit FileLines(qsizetype textSize) { count_.reserve(textSize / 40 + 1); }

    void add(View line) { ++count_[LineKey<View>(line)]; }
    bool isEmpty() const { return count_.isEmpty(); }

    // Takes out every line `log` holds; how many of the file's lines that was.
    qsizetype takeLinesOf(View log)
    {
        qsizetype taken = 0;
        forEachLine(log, [&](View line) {
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

} // namespace

HeldContacts contactsHeld(QStringView logText, QStringView fileText)
{
    HeldContacts result;
    FileLines<QStringView> contacts(fileText.size());
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
    FileLines<QByteArrayView> lines(fileUtf8.size());
    forEachLine(fileUtf8, [&](QByteArrayView line) {
        lines.add(line);
        return true;
    });
    if (!lines.isEmpty())
        lines.takeLinesOf(logUtf8);
    return !lines.isEmpty();
}
