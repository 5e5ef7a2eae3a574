#include <QtTest>

#include <sys/resource.h>

#include "../BadInputs.h"
#include "../TestTables.h"
#include "ConverterRun.h"
#include "cli/Converter.h"
#include "io/SaveFaults.h"

using namespace corvalen;

namespace {

using testing::ReadBytes;

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run Convert(const QStringList& args) {
    const testing::Run run = testing::RunConverterWith(args);
    return {run.status, QString::fromStdString(run.out), QString::fromStdString(run.err)};
}

long PeakMemoryKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

class TestConverterBadInput : public QObject {
    Q_OBJECT

private slots:
    void badInput_data() { badinput::AddInputRows(); }

    // Every bad input ends in a clear report and a whole file, never a crash or a hang; a file
    // that cannot be read leaves the output as it was.
    void badInput() {
        QFETCH(int, index);
        const badinput::Input input = badinput::Inputs()[std::size_t(index)];
        if (!input.skipAsRoot.isEmpty() && badinput::RunningAsRoot()) {
            QSKIP(qPrintable(input.skipAsRoot));
        }
        QTemporaryDir dir;
        const QString in = input.make(dir.path());
        const QString out = dir.filePath("out.g3m");
        badinput::WriteFile(out, badinput::kOldBytes);
        const qint64 size = QFileInfo(in).size();
        const long peakBefore = PeakMemoryKiB();

        const Run run = Convert({"convert", "--model", "313", in, out});
        QCOMPARE(run.status, input.refused ? kExitFileError : kExitOk);
        for (QString said : input.says) {
            said.replace('@', in);
            if (said.startsWith('!')) {
                QVERIFY2(!run.err.contains(said.mid(1)), qPrintable(run.err.left(2000)));
            } else {
                QVERIFY2(run.err.contains(said), qPrintable(run.err.left(2000)));
            }
        }
        // One short line per problem, each saying where.
        for (const QString& line : run.err.split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(line.size() < 400, qPrintable(line.left(400)));
            QVERIFY2(
                QRegularExpression("^(line|row) \\d+: |^corvalen-cli: ").match(line).hasMatch(),
                qPrintable(line));
        }
        if (input.refused) {
            QCOMPARE(run.out, QString());
            QCOMPARE(ReadBytes(out), badinput::kOldBytes);
        } else {
            QVERIFY2(run.out.startsWith("wrote "), qPrintable(run.out));
        }
#if !defined(CORVALEN_SANITIZED)
        // What the converter holds grows with the input: a few copies of it at most.
        QVERIFY2(PeakMemoryKiB() - peakBefore <= 4 * size / 1024 + 64 * 1024,
                 qPrintable(QString::number(PeakMemoryKiB() - peakBefore)));
#else
        Q_UNUSED(peakBefore);
        Q_UNUSED(size);
#endif
    }

    void failedSave_data() {
        badinput::AddFailedSaveRows();
    }

    // A save that fails says so on stderr with exit status 1 and leaves the old file whole.
    void failedSave() {
        QFETCH(int, index);
        QFETCH(QString, type);
        const badinput::Target target = badinput::Targets()[std::size_t(index)];
        QTemporaryDir dir;
        const QString in = badinput::WriteFile(dir.filePath("in.csv"),
                                               badinput::kHeader + badinput::ChannelLine());
        const QString out = dir.filePath(QString(target.path).replace("EXT", type));
        if (!target.linkTo.isEmpty()) {
            QVERIFY(QFile::link(target.linkTo, out));
        }
        const QString folder = QFileInfo(out).path();
        if (target.old) {
            QVERIFY(QDir().mkpath(folder));
            badinput::WriteFile(out, badinput::kOldBytes);
        }
        const QStringList before = QDir(folder).entryList(QDir::Files);
        std::unique_ptr<badinput::ReadOnly> lock;
        if (target.readOnly != badinput::Target::None) {
            lock = std::make_unique<badinput::ReadOnly>(
                target.readOnly == badinput::Target::File ? out : folder);
            if (!lock->ok) {
                QSKIP("root writes anywhere here: this file system has no immutable flag");
            }
        }
        SimulateWriteFailure(target.writeError, 10);

        const Run run = Convert({"convert", "--model", "303", in, out});
        SimulateWriteFailure(0);
        lock.reset();
        QCOMPARE(run.status, kExitFileError);
        QVERIFY2(run.err.startsWith("corvalen-cli: Cannot ") && run.err.contains('"' + out + '"'),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(target.says), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        if (target.old) {
            QCOMPARE(QDir(folder).entryList(QDir::Files), before);
            QCOMPARE(ReadBytes(out), badinput::kOldBytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestConverterBadInput)
#include "tst_converter_badinput.moc"
