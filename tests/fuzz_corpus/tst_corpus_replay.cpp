#include "fuzz_targets.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Every input of the committed corpus, found by a fuzzer or written by hand, through the same
// target and checks the fuzzer runs, on every test run.
class TestCorpusReplay : public QObject
{
    Q_OBJECT

private slots:
    void everyTargetHasACorpusAndEveryCorpusATarget()
    {
        const QDir corpus(QStringLiteral(VANDREL_CORPUS_DIR));
        QStringList targetNames;
        for (const FuzzTarget &target : fuzzTargets()) {
            targetNames.append(QString::fromLatin1(target.name));
            QVERIFY2(!QDir(corpus.filePath(targetNames.last())).isEmpty(QDir::Files), target.name);
        }
        targetNames.sort();
        QCOMPARE(corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot), targetNames);
    }

    void replaysTheCorpus_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(VANDREL_CORPUS_DIR));
        for (const FuzzTarget &target : fuzzTargets()) {
            const QDir inputs(corpus.filePath(QString::fromLatin1(target.name)));
            for (const QString &file : inputs.entryList(QDir::Files, QDir::Name)) {
                QTest::addRow("%s/%s", target.name, qPrintable(file))
                    << QString::fromLatin1(target.name) << inputs.filePath(file);
            }
        }
    }

    void replaysTheCorpus()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray input = file.readAll();
        const QString failure = findFuzzTarget(target)->run(input);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_GUILESS_MAIN(TestCorpusReplay)
#include "tst_corpus_replay.moc"
