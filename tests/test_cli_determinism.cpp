// A file depends on its settings and the font file named, nothing else: not the number of jobs,
// not the run (fitting), not another installed file of the font's family. Control characters of
// a text are no glyphs.
#include <QtTest>

#include "cli_runner.h"

const char kDejaVuBold[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char kSong12pt[] = "/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf";
const char kSong13px[] = "/usr/share/fonts/X11/misc/wenquanyi_13px.pcf";

class TestCliDeterminism : public QObject, private CliFixture {
    Q_OBJECT

    // The file that `line` -o FILE writes; a failed run fails the test.
    QByteArray Convert(const QString& line, const QString& fontConfig = QString()) {
        QFile::remove(Path("out.bin"));
        const CliOutcome run = Run(line + " -o @out.bin", fontConfig);
        if (run.status != 0) qWarning("%s", run.err.constData());
        return run.status == 0 ? ReadAll(Path("out.bin")) : QByteArray();
    }

  private slots:
    // Ranges where the faces a worker met first used to decide every later glyph: Arabic,
    // Georgian and Hangul Jamo, Canadian syllabics, Hangul, Latin Extended Additional, FB-FF;
    // a text of such characters; and fitting, a function of the request and the font alone.
    // One, two, three and sixteen jobs write the same bytes.
    void jobsChangeNothing_data() {
        QTest::addColumn<QString>("arguments");
        for (const char* range : {"FB00 FFFF", "A93E AC00", "0600 07FF", "10A0 11FF", "1400 15FF",
                                  "AC00 AD3F", "1E00 1EFF"})
            QTest::newRow(range) << "unicode --width 12 --height 14 --from " +
                                        QString(range).replace(' ', " --to ");
        QTest::newRow("string") << "string --width 12 --height 14 --format 4bits --text @mixed.txt";
        QTest::newRow("fit") << "unicode --from FB00 --to FFFF --width 16 --height 16 --fit";
    }
    void jobsChangeNothing() {
        QFETCH(QString, arguments);
        QVERIFY(WriteAll(
            Path("mixed.txt"),
            QString::fromUtf8("سلام ﻍﻎﻏ ＡＢＣ 가각간 ᐁᐂᐃ ა ḀḁẞỹＺ ﬀﬁ 你好").repeated(8).toUtf8()));
        const QByteArray one = Convert("convert " + arguments + " --jobs 1");
        QVERIFY(!one.isEmpty());
        for (const QString jobs : {"2", "3", "16"})
            QVERIFY2(Convert("convert " + arguments + " --jobs " + jobs) == one,
                     qPrintable("--jobs " + jobs + " differs from --jobs 1"));
    }

    // The start-up face draws the fullwidth forms it has whatever a worker meets first, and
    // leaves blank the Arabic presentation forms it lacks.
    void fullwidthFormsDrawn() {
        const QString fb = "convert unicode --from FB00 --to FFFF --width 12 --height 14 --jobs 2";
        QCOMPARE(Run(fb + " -o @fb.bin").status, 0);
        QVERIFY2(Run("inspect @fb.bin --glyph FF21").out.contains('#'), "Ａ is blank");
        QVERIFY2(!Run("inspect @fb.bin --glyph FE8D").out.contains('#'),
                 "ﺍ, which the face lacks, has ink");
    }

    // A font file is drawn from that file only: installing another file of its family (the
    // regular face beside a bold one, a pixel font's other strike) changes no byte, and the
    // bold file does not draw the regular face's glyphs.
    void otherInstalledFilesChangeNothing_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("alsoInstalled");
        QTest::addColumn<QString>("otherFile");  // draws other glyphs than the file named
        QTest::newRow("bold beside regular")
            << "ascii --width 14 --height 16 --font-file @DejaVuSans-Bold.ttf"
            << QStringList{kDejaVuSans, kDejaVuBold} << QString(kDejaVuSans);
        QTest::newRow("fallback bold beside regular")  // the pixel font has no Arabic
            << "unicode --from 0621 --to 063A --width 12 --height 10 --point-size 12 --font-file "
               "@wenquanyi_12pt.pcf --fallback-font @DejaVuSans-Bold.ttf"
            << QStringList{kDejaVuSans, kSong13px} << QString();
        QTest::newRow("pixel font beside its other strike")
            << "gb2312 --from B0A1 --to B0FE --width 16 --height 15 --render crisp --point-size "
               "12 --font-file @wenquanyi_12pt.pcf"
            << QStringList{kSong13px} << QString(kSong13px);
    }
    void otherInstalledFilesChangeNothing() {
        QFETCH(QString, arguments);
        QFETCH(QStringList, alsoInstalled);
        QFETCH(QString, otherFile);
        for (const char* file : {kDejaVuSans, kDejaVuBold, kSong12pt, kSong13px})
            if (!QFile::exists(file)) SKIP_OR_FAIL(qPrintable(QString("not installed: ") + file));
        for (const QString file : {kDejaVuBold, kSong12pt})
            QVERIFY(QFile::exists(Path(QFileInfo(file).fileName())) ||
                    QFile::copy(file, Path(QFileInfo(file).fileName())));
        const QString line = "convert " + arguments;
        const QByteArray alone = Convert(line, FontConfig("alone", {}));
        QVERIFY(!alone.isEmpty());
        QCOMPARE(Convert(line, FontConfig(QTest::currentDataTag(), alsoInstalled)), alone);
        QCOMPARE(Convert(line), alone);  // the machine's own fonts
        const QString other = QString(line).replace(QRegularExpression("--font-file \\S+"),
                                                    "--font-file " + otherFile);
        QVERIFY2(otherFile.isEmpty() || Convert(other, FontConfig("alone", {})) != alone,
                 "the other file of the family draws the same bytes");
    }

    // Control characters (NUL, BS, SO, ESC, US, DEL) are left out of a string font's characters;
    // a tab and a vertical tab make one space. The count is at byte 4, the codes from byte 9, low
    // byte first.
    void controlCharactersAreNoGlyphs() {
        const QByteArray text("A\0\10B\16\33\37\177\t\13C\n", 12);  // octal escapes
        QVERIFY(WriteAll(Path("controls.txt"), text));
        const QByteArray font =
            Convert("convert string --text @controls.txt --width 8 --height 10");
        QCOMPARE(font.mid(4, 2), QByteArray("\x04\x00", 2));
        QCOMPARE(font.mid(9, 8), QByteArray("\x41\x00\x42\x00\x20\x00\x43\x00", 8));
    }
};

QTEST_GUILESS_MAIN(TestCliDeterminism)
#include "test_cli_determinism.moc"
