#include "log_file/log_file_lines.h"

namespace {

constexpr qint64 pieceSize = 64 * 1024;

} // namespace

LogFileLines::LogFileLines(QIODevice &device, qsizetype maxLength)
    : device_(device), maxLength_(maxLength)
{}

bool LogFileLines::fill()
{
    char piece[pieceSize];
    const qint64 read = device_.read(piece, pieceSize);
    if (read < 0) {
        error_ = device_.errorString();
        return false;
    }
    if (read == 0) {
        atEnd_ = true;
        // A last byte without its pair (a file cut short) is marked, not dropped.
        if (utf16_ && utf16Bytes_ % 2 != 0)
            text_.append(QChar::ReplacementCharacter);
        return true;
    }
    if (utf16_) {
        utf16Bytes_ += read;
        text_.append(utf16_->decode(QByteArrayView(piece, read)));
    } else {
        bytes_.append(piece, read);
    }
    return true;
}

void LogFileLines::start()
{
    started_ = true;
    while (bytes_.size() < utf8ByteOrderMark.size() && !atEnd_) {
        if (!fill())
            return;
    }
    const QByteArrayView head = bytes_;
    if (head.startsWith(utf16LeByteOrderMark) || head.startsWith(utf16BeByteOrderMark)) {
        utf16_.emplace(head.startsWith(utf16LeByteOrderMark) ? QStringDecoder::Utf16LE
                                                             : QStringDecoder::Utf16BE,
                       QStringDecoder::Flag::ConvertInitialBom);
        const QByteArrayView body = head.sliced(utf16LeByteOrderMark.size());
        utf16Bytes_ = body.size();
        text_ = utf16_->decode(body);
        if (atEnd_ && utf16Bytes_ % 2 != 0)
            text_.append(QChar::ReplacementCharacter);
        bytes_.clear();
    } else if (head.startsWith(utf8ByteOrderMark)) {
        start_ = utf8ByteOrderMark.size();
    }
}

QString LogFileLines::decoded(qsizetype from, qsizetype end)
{
    if (utf16_)
        return text_.sliced(from, end - from);
    // Each piece between line feeds on its own, as decodeLogFile decodes a file that is not
    // UTF-8 throughout.
    QString line;
    line.reserve(end - from);
    for (qsizetype piece = from;;) {
        qsizetype feed = bytes_.indexOf('\n', piece);
        if (feed < 0 || feed > end)
            feed = end;
        decoder_.append(line, QByteArrayView(bytes_).sliced(piece, feed - piece));
        if (feed == end)
            break;
        line.append(u'\n');
        piece = feed + 1;
    }
    return line;
}

std::optional<QString> LogFileLines::give(qsizetype end, qsizetype next)
{
    ++line_;
    QString line = decoded(start_, end);
    if (line.size() > maxLength_)
        return stopWith(Stop::LineTooLong);
    start_ = next;
    // What was given goes once it outweighs what is left.
    if (start_ > pieceSize && start_ * 2 > held()) {
        if (utf16_)
            text_.remove(0, start_);
        else
            bytes_.remove(0, start_);
        start_ = 0;
    }
    return line;
}

std::optional<QString> LogFileLines::stopWith(Stop why)
{
    stop_ = why;
    bytes_.clear();
    text_.clear();
    return std::nullopt;
}

std::optional<QString> LogFileLines::next()
{
    if (stop_ != Stop::Reading)
        return std::nullopt;
    if (!started_)
        start();
    qsizetype scanned = start_;
    for (;;) {
        const qsizetype size = held();
        const qsizetype cr = utf16_ ? text_.indexOf(u'\r', scanned) : bytes_.indexOf('\r', scanned);
        // A CR ends the line once the unit after it is known: an LF there belongs to the break.
        if (cr >= 0 && (cr + 1 < size || atEnd_))
            return give(cr, cr + 1 < size && unitAt(cr + 1) == u'\n' ? cr + 2 : cr + 1);
        // Three bytes at most make one character of UTF-8 text: more is surely too long.
        if (cr < 0 && size - start_ > 3 * maxLength_ + 3) {
            ++line_;
            return stopWith(Stop::LineTooLong);
        }
        if (atEnd_) {
            if (start_ < size)
                return give(size, size);
            return stopWith(Stop::End);
        }
        scanned = cr >= 0 ? cr : size;
        if (!fill())
            return stopWith(Stop::ReadError);
    }
}

FileStatus LogFileLines::status() const
{
    if (stop_ == Stop::LineTooLong)
        return FileError{FileErrorKind::LineTooLong, {}, {}, {}, line_};
    if (stop_ == Stop::ReadError)
        return FileError{FileErrorKind::CannotRead, {}, error_};
    return fileDone;
}
