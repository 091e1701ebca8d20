// Small files of every kind, committed in tests/golden with the checksum of
// the font they were drawn from, regenerated through runemill-cli and compared
// byte for byte. A different font file skips the test rather than failing it,
// except on Debian 12, where the CI runs (see SkipsFail).
// The kinds that print no lines are written to /dev/stdout: a device is written
// through, not replaced, and must get the same bytes.
#include <QCryptographicHash>
#include <QtTest>

#include "cli_runner.h"

class TestGolden : public QObject, private CliFixture {
    Q_OBJECT
    const QString golden = QStringLiteral(RUNEMILL_GOLDEN_DIR);
    QString font;
    QList<QStringList> files;  // each file and the arguments that write it

  private slots:
    void initTestCase() {
        for (const QString& line : QString(ReadAll(golden + "/manifest.txt")).split('\n')) {
            const QStringList words = line.split(' ');
            if (words.value(0) == "font") {
                font = words.value(1);
                const QByteArray sum =
                    QCryptographicHash::hash(ReadAll(font), QCryptographicHash::Sha256).toHex();
                if (sum != words.value(2).toLatin1())
                    SKIP_OR_FAIL(qPrintable("the golden files were drawn from another " + font));
            } else if (!line.isEmpty() && !line.startsWith('#')) {
                files << words;
            }
        }
        QVERIFY2(!font.isEmpty(), "manifest.txt names no font");
    }

    void sameBytes_data() {
        QTest::addColumn<QStringList>("arguments");
        for (QStringList words : files) QTest::newRow(qPrintable(words.takeFirst())) << words;
    }
    void sameBytes() {
        QFETCH(QStringList, arguments);
        const QString output = Path(QTest::currentDataTag());
        for (QString& word : arguments) word.replace("@font", font).replace("@dir", golden);
        // A C font is named after its file: those go to the file.
        const bool device =
            (arguments[0] == "ascii" || arguments[0] == "string") && !arguments.contains("--for");
        const CliOutcome run =
            RunCli(QStringList{"convert"} + arguments +
                   QStringList{"-o", device ? "/dev/stdout" : output, "--quiet"});
        QVERIFY2(run.status == 0, run.err.constData());
        const QByteArray made = device ? run.out : ReadAll(output),
                         kept = ReadAll(golden + '/' + QTest::currentDataTag());
        // Where the first byte that differs lies, then the sizes.
        const auto differs = std::mismatch(made.begin(), made.end(), kept.begin(), kept.end());
        QCOMPARE(differs.second - kept.begin(), kept.end() - kept.begin());
        QCOMPARE(made.size(), kept.size());
    }

    // The compressor's ratio: GB2312 B0A1..F7FE at 16 x 16, fitted, as bench/compress_bench.sh
    // measured it (README), may not grow by a byte. A worse model still decodes right.
    void compressedSizeCeiling_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("measured");
        QTest::newRow("1bits") << "" << 105336;
        QTest::newRow("4bits") << "--format 4bits" << 440139;
    }
    void compressedSizeCeiling() {
        QFETCH(QString, options);
        QFETCH(int, measured);
        const QString output = Path("z.bin");
        const CliOutcome run =
            Run("convert gb2312 --from B0A1 --to F7FE --width 16 --height 16 "
                "--fit --compress --quiet -o @z.bin --font-file " +
                font + (options.isEmpty() ? QString() : ' ' + options));
        QCOMPARE(run.status, 0);
        const qint64 size = ReadAll(output).size();
        QVERIFY2(size > measured / 2 && size <= measured,
                 qPrintable(QString("%1 bytes, measured %2").arg(size).arg(measured)));
    }
};

QTEST_MAIN(TestGolden)
#include "test_golden.moc"
