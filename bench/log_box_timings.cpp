#include "log_box_timings.h"

#include "bare_window.h"
#include "key_press.h"
#include "log_generator.h"
#include "timing.h"
#include "timing_in_turns.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <functional>

namespace {

constexpr int ratioTargetFrom = 100000;
constexpr int absoluteTargetFrom = 1000000;
constexpr double maxLogBoxRatio = 2;
constexpr double maxLogBoxMilliseconds = 5;

// The last contact line of an edit showing a log that ends with a line break.
QTextBlock lastContactLine(const QPlainTextEdit *edit)
{
    return edit->document()->lastBlock().previous();
}

void placeCaret(QPlainTextEdit *edit, int position)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(position);
    edit->setTextCursor(cursor);
}

// Removes `length` characters from `position` as the operator's selection and Delete would.
void removeShown(QPlainTextEdit *edit, int position, int length)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    pressKey(edit, Qt::Key_Delete);
}

// One kind of keystroke: where the caret is, the key, how much longer the log text gets (line
// breaks count two, CR LF) and how the edit is taken back.
struct Keystroke
{
    const char *what;
    std::function<int(QPlainTextEdit *)> caret;
    std::function<void(QPlainTextEdit *)> before; // untimed, after the caret is placed
    std::function<void(QPlainTextEdit *)> key;
    qsizetype logGrowth;
    std::function<void(QPlainTextEdit *, int caret)> takeBack;
};

} // namespace

QList<Measurement> timeLogBoxKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs)
{
    Form15 &form = window.form;
    auto *logBox = qobject_cast<QPlainTextEdit *>(window.view.widgetFor(&form.Text1));
    BareWindow<QPlainTextEdit> bare(placeOf(*logBox));
    useLogBoxSettings(*bare.box);
    bare.box->setPlainText(log.text);
    bare.box->moveCursor(QTextCursor::End);
    drawNow(bare.window);
    stopUnless(bare.box->document()->blockCount() == logBox->document()->blockCount(),
               "the bare log box does not hold the same lines");
    const int floorCharacters = bare.box->document()->characterCount();
    const PaintCounter programPaints(logBox->viewport());
    const PaintCounter floorPaints(bare.box->viewport());

    const auto middleOfLastLine = [](QPlainTextEdit *edit) {
        const QTextBlock line = lastContactLine(edit);
        return line.position() + line.length() / 2;
    };
    const auto startOfLastLine = [](QPlainTextEdit *edit) {
        return lastContactLine(edit).position();
    };
    const QString lastLine = log.text.sliced(log.text.lastIndexOf(u'\n', -3) + 1).chopped(2);
    const auto typeX = [](QPlainTextEdit *edit) { pressKey(edit, Qt::Key_X, QStringLiteral("x")); };
    const auto backspace = [](QPlainTextEdit *edit) { pressKey(edit, Qt::Key_Backspace); };
    const auto nothing = [](QPlainTextEdit *) {};
    const Keystroke keystrokes[] = {
        {"log-box keystroke, insert a character", middleOfLastLine, nothing, typeX, 1,
         [&](QPlainTextEdit *edit, int) { backspace(edit); }},
        {"log-box keystroke, delete a character (Backspace)",
         [&](QPlainTextEdit *edit) { return middleOfLastLine(edit) + 1; }, typeX, backspace, 0,
         [](QPlainTextEdit *, int) {}},
        {"log-box keystroke, paste a contact line (Ctrl+V)", startOfLastLine,
         [&](QPlainTextEdit *) { QGuiApplication::clipboard()->setText(lastLine + u'\n'); },
         [](QPlainTextEdit *edit) { pressKey(edit, Qt::Key_V, {}, Qt::ControlModifier); },
         lastLine.size() + 2,
         [&](QPlainTextEdit *edit, int caret) {
             removeShown(edit, caret, int(lastLine.size()) + 1);
         }},
        {"log-box keystroke, Enter", middleOfLastLine, nothing,
         [](QPlainTextEdit *edit) { pressKey(edit, Qt::Key_Return, QStringLiteral("\r")); }, 2,
         [&](QPlainTextEdit *edit, int) { backspace(edit); }},
    };

    const int contacts = int(log.calls.size());
    QList<Measurement> results;
    for (const Keystroke &k : keystrokes) {
        int caret = 0;
        int paintsBefore = 0;
        const auto timed = [&](QPlainTextEdit *edit, const PaintCounter &paints,
                               const std::function<void()> &check) {
            return Timed{
                .prepare =
                    [&, edit] {
                        focusBox(edit);
                        caret = k.caret(edit);
                        placeCaret(edit, caret);
                        QApplication::processEvents();
                        k.before(edit);
                        paintsBefore = paints.count();
                    },
                .measure = [&, edit] { k.key(edit); },
                .finish =
                    [&, edit, check] {
                        stopUnless(paints.count() > paintsBefore, "a keystroke was not drawn");
                        check();
                        k.takeBack(edit, caret);
                    },
            };
        };
        const Timed program = timed(logBox, programPaints, [&] {
            stopUnless(form.Text1.textLength() == log.text.size() + k.logGrowth,
                       "the log text did not follow the log box");
        });
        const Timed floor = timed(bare.box, floorPaints, [] {});
        const TimesInTurns times = timeInTurns(runs, program, floor);
        stopUnless(form.Text1.text() == log.text &&
                       bare.box->document()->characterCount() == floorCharacters,
                   "the log boxes were not restored");
        results.append(fromPairs(
            {
                .what = QString::fromLatin1(k.what),
                .contacts = contactCount(contacts),
                .unit = QStringLiteral("ms"),
                .floorName = QStringLiteral("the same key into a bare QPlainTextEdit, drawn"),
                .maxRatio = contacts >= ratioTargetFrom && contacts < absoluteTargetFrom
                                ? std::optional(maxLogBoxRatio)
                                : std::nullopt,
                .maxProgram = contacts >= absoluteTargetFrom ? std::optional(maxLogBoxMilliseconds)
                                                             : std::nullopt,
            },
            times.program, times.floor));
    }
    return results;
}
