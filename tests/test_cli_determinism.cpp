// A file depends on its settings and the font file named, nothing else: not the number of jobs,
// not the run (fitting), not another installed file of the font's family. Control characters of
// a text are no glyphs.
#include <QtTest>

namespace {

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kDejaVuBold[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char kSong12pt[] = "/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf";
const char kSong13px[] = "/usr/share/fonts/X11/misc/wenquanyi_13px.pcf";

struct Outcome {
    int status = -1;
    QByteArray out, err;
};

// Runs runemill-cli headless; `fontConfig`, when given, is the only font configuration it sees.
Outcome Run(const QStringList& arguments, const QString& fontConfig = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!fontConfig.isEmpty()) environment.insert(QStringLiteral("FONTCONFIG_FILE"), fontConfig);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(RUNEMILL_CLI_PATH), arguments);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SkipWithout(const QStringList& files) {
    for (const QString& file : files)
        if (!QFile::exists(file)) QSKIP(qPrintable("not installed: " + file));
}

}  // namespace

class TestCliDeterminism : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // The file that `arguments` -o FILE writes; a failed run fails the test.
    QByteArray Convert(const QStringList& arguments, const QString& fontConfig = QString()) {
        const QString out = Path(QStringLiteral("out.bin"));
        QFile::remove(out);
        const Outcome run = Run(arguments + QStringList{"-o", out}, fontConfig);
        if (run.status != 0) qWarning("%s", run.err.constData());
        return run.status == 0 ? ReadAll(out) : QByteArray();
    }

    // A font configuration that installs exactly the files given, in a folder of its own.
    QString FontConfig(const QString& name, const QStringList& installed) {
        const QString fonts = Path(name + ".fonts");
        QDir().mkpath(fonts);
        for (const QString& file : installed)
            QFile::copy(file, fonts + '/' + QFileInfo(file).fileName());
        const QString config = Path(name + ".conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) return QString();
        file.write(
            "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
            "<fontconfig><dir>" +
            fonts.toUtf8() + "</dir><cachedir>" + Path(name + ".cache").toUtf8() +
            "</cachedir></fontconfig>\n");
        return config;
    }

  private slots:
    // Ranges where the faces a worker met first used to decide every later glyph: Arabic,
    // Georgian and Hangul Jamo, Canadian syllabics, Hangul, Latin Extended Additional, FB-FF;
    // and a text of such characters. One, two, three and sixteen jobs write the same bytes.
    void jobsChangeNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        const QStringList ranges = {"FB00 FFFF", "A93E AC00", "0600 07FF", "10A0 11FF",
                                    "1400 15FF", "AC00 AD3F", "1E00 1EFF"};
        for (const QString& range : ranges) {
            QTest::newRow(qPrintable(range)) << QStringList{"convert",  "unicode",
                                                            "--from",   range.section(' ', 0, 0),
                                                            "--to",     range.section(' ', 1, 1),
                                                            "--width",  "12",
                                                            "--height", "14"};
        }
        QTest::newRow("string") << QStringList{"convert",  "string", "--width",  "12",
                                               "--height", "14",     "--format", "4bits"};
    }
    void jobsChangeNothing() {
        QFETCH(QStringList, arguments);
        if (arguments.contains("string")) {
            QFile text(Path("mixed.txt"));
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write(QString::fromUtf8("سلام ﻍﻎﻏ ＡＢＣ 가각간 ᐁᐂᐃ ა ḀḁẞỹＺ ﬀﬁ 你好")
                           .repeated(8)
                           .toUtf8());
            text.close();
            arguments << "--text" << text.fileName();
        }
        const QByteArray one = Convert(arguments + QStringList{"--jobs", "1"});
        QVERIFY(!one.isEmpty());
        for (const QString jobs : {"2", "3", "16"})
            QVERIFY2(Convert(arguments + QStringList{"--jobs", jobs}) == one,
                     qPrintable("--jobs " + jobs + " differs from --jobs 1"));
    }

    // The start-up face draws the fullwidth forms it has whatever a worker meets first, and
    // leaves blank the Arabic presentation forms it lacks.
    void fullwidthFormsDrawn() {
        const QString out = Path("fb.bin");
        QCOMPARE(Run({"convert", "unicode", "--from", "FB00", "--to", "FFFF", "--width", "12",
                      "--height", "14", "--jobs", "2", "-o", out})
                     .status,
                 0);
        QVERIFY2(Run({"inspect", out, "--glyph", "FF21"}).out.contains('#'), "Ａ is blank");
        QVERIFY2(!Run({"inspect", out, "--glyph", "FE8D"}).out.contains('#'),
                 "ﺍ, which the face lacks, has ink");
    }

    // Fitting is a function of the request and the font: ten runs, one file.
    void fitRepeats() {
        const QStringList arguments = {"convert", "unicode", "--from", "FB00",     "--to",
                                       "FFFF",    "--width", "16",     "--height", "16",
                                       "--fit",   "--jobs",  "1"};
        const QByteArray first = Convert(arguments);
        QVERIFY(!first.isEmpty());
        for (int run = 1; run < 10; ++run)
            QVERIFY2(Convert(arguments) == first, qPrintable(QString("run %1 differs").arg(run)));
    }

    // A font file is drawn from that file only: installing another file of its family (the
    // regular face beside a bold one, a pixel font's other strike) changes no byte, and the
    // bold file does not draw the regular face's glyphs.
    void otherInstalledFilesChangeNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("alsoInstalled");
        QTest::addColumn<QString>("otherFile");  // draws other glyphs than the file named
        QTest::newRow("bold beside regular")
            << QStringList{"convert",  "ascii", "--width",     "14",
                           "--height", "16",    "--font-file", Path("DejaVuSans-Bold.ttf")}
            << QStringList{kDejaVu, kDejaVuBold} << QString(kDejaVu);
        QTest::newRow("fallback bold beside regular")  // the pixel font has no Arabic
            << QStringList{"convert",
                           "unicode",
                           "--from",
                           "0621",
                           "--to",
                           "063A",
                           "--width",
                           "12",
                           "--height",
                           "10",
                           "--font-file",
                           Path("wenquanyi_12pt.pcf"),
                           "--fallback-font",
                           Path("DejaVuSans-Bold.ttf")}
            << QStringList{kDejaVu, kSong13px} << QString();
        QTest::newRow("pixel font beside its other strike")
            << QStringList{"convert",      "gb2312", "--from",      "B0A1",
                           "--to",         "B0FE",   "--width",     "16",
                           "--height",     "15",     "--render",    "crisp",
                           "--point-size", "10.5",   "--font-file", Path("wenquanyi_12pt.pcf")}
            << QStringList{kSong13px} << QString(kSong13px);
    }
    void otherInstalledFilesChangeNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, alsoInstalled);
        QFETCH(QString, otherFile);
        SkipWithout({kDejaVu, kDejaVuBold, kSong12pt, kSong13px});
        for (const QString& file : {QString(kDejaVuBold), QString(kSong12pt)}) {
            const QString copy = Path(QFileInfo(file).fileName());
            QVERIFY(QFile::exists(copy) || QFile::copy(file, copy));
        }
        const QByteArray alone = Convert(arguments, FontConfig("alone", {}));
        QVERIFY(!alone.isEmpty());
        const QString tag = QString(QTest::currentDataTag()).replace(' ', '-');
        QCOMPARE(Convert(arguments, FontConfig(tag, alsoInstalled)), alone);
        QCOMPARE(Convert(arguments), alone);  // the machine's own fonts
        if (!otherFile.isEmpty()) {
            QStringList other = arguments;
            other[other.indexOf("--font-file") + 1] = otherFile;
            QVERIFY2(Convert(other, FontConfig("alone", {})) != alone,
                     "the other file of the family draws the same bytes");
        }
    }

    // NUL, ESC and DEL are left out of a string font's characters; a tab is a space. The table
    // holds big-endian UTF-16 codes from byte 8, the count at byte 4.
    void controlCharactersAreNoGlyphs() {
        QFile text(Path("controls.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray("A\0B\x1b\x7f\tC\n", 8));
        text.close();
        const QByteArray font = Convert(
            {"convert", "string", "--text", text.fileName(), "--width", "8", "--height", "10"});
        QVERIFY(font.size() > 16);
        QCOMPARE(font.mid(4, 2), QByteArray("\x04\x00", 2));
        QCOMPARE(font.mid(8, 8), QByteArray("\x00\x41\x00\x42\x00\x20\x00\x43", 8));
    }
};

QTEST_GUILESS_MAIN(TestCliDeterminism)
#include "test_cli_determinism.moc"
