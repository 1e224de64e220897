#pragma once

#include "log_file/log_file_text.h"
#include "platform/file_result.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <optional>

// The lines of a log file read from a device piece by piece, decoded as decodeLogFile decodes
// the whole file and split as appendFileLines splits it: a line ends at CR LF or at a lone CR,
// a lone LF stays inside its line, a last line without a break is a line too. Memory holds a
// piece of the file and one line, however long the file: a line longer than any log line stops
// the reading, as "Open" refuses the file.
class LogFileLines
{
public:
    enum class Stop
    {
        Reading,     // not stopped
        End,         // every line was given
        LineTooLong, // line `lineNumber()` is longer than the longest line taken
        ReadError,   // `status()` says why
    };

    explicit LogFileLines(QIODevice &device, qsizetype maxLength = maxLineLength);

    // The next line, without its break; nothing once the reading stopped.
    std::optional<QString> next();
    Stop stop() const { return stop_; }
    // The number, from 1, of the last line given, or of the line too long.
    qsizetype lineNumber() const { return line_; }
    // Why the reading stopped short: a line too long (`LineTooLong`, its number in `line`) or a
    // failed read (`CannotRead`, in the device's words); done otherwise. The device has no path.
    FileStatus status() const;

private:
    void start();
    bool fill();
    qsizetype held() const { return utf16_ ? text_.size() : bytes_.size(); }
    QChar unitAt(qsizetype i) const { return utf16_ ? text_[i] : QChar::fromLatin1(bytes_[i]); }
    QString decoded(qsizetype from, qsizetype end);
    std::optional<QString> give(qsizetype end, qsizetype next);
    std::optional<QString> stopWith(Stop why);

    QIODevice &device_;
    qsizetype maxLength_;
    QByteArray bytes_; // read and not yet given, in a file of 8-bit or UTF-8 text
    QString text_;     // the same, decoded, in a UTF-16 file
    qsizetype start_ = 0;
    std::optional<QStringDecoder> utf16_;
    qint64 utf16Bytes_ = 0;
    LineDecoder decoder_;
    bool started_ = false;
    bool atEnd_ = false;
    Stop stop_ = Stop::Reading;
    qsizetype line_ = 0;
    QString error_;
};
