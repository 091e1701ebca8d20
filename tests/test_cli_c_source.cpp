// runemill-cli convert -o FILE.c: the array named from --symbol or the file name, its header beside
// it, every byte of the .bin, and a failed write. (test_cli's badInput has the refusals of C
// source.)
#include <QtTest>

#include "cli_runner.h"

class TestCliCSource : public QObject, private CliFixture {
    Q_OBJECT

    // A string font whose last byte, the full block's corner, is not 0.
    const QString font =
        "convert string --width 10 --height 6 --format 8bits --point-size 30 "
        "--y0 0 --text @text.txt";
    QByteArray bin;

  private slots:
    void initTestCase() {
        QVERIFY(WriteAll(Path("text.txt"), "F\xe2\x96\x88"));  // F█
        QCOMPARE(Run(font + " -o @font.bin").status, 0);
        bin = ReadAll(Path("font.bin"));
        QVERIFY(bin.endsWith('\xff'));
    }

    void names_data() {
        QTest::addColumn<QString>("symbolOption");  // the tag is the file's name
        QTest::addColumn<QString>("symbol");
        QTest::newRow("My-Font 16.c") << QString() << QString("My_Font_16");
        QTest::newRow("16x16.c") << QString() << QString("_16x16");  // a leading digit
        // Every dot but the last, before "c", is part of the name.
        QTest::newRow("ui.font.v2.c") << QString() << QString("ui_font_v2");
        QTest::newRow(".hidden.c") << QString() << QString("_hidden");
        QTest::newRow("font.C") << QString() << QString("font");
        // Each spelling its own include guard.
        QTest::newRow("lower.c") << QString("font") << QString("font");
        QTest::newRow("upper.c") << QString("FONT") << QString("FONT");
    }

    // The names and the bytes of the .bin (reader/mcu's firmware test compiles such a source).
    void names() {
        QFETCH(QString, symbolOption);
        QFETCH(QString, symbol);
        const QString file = Path(QTest::currentDataTag()), header = file.chopped(1) + 'h';
        QStringList options = Args(font) << "-o" << file;
        if (!symbolOption.isEmpty()) options << "--symbol" << symbolOption;
        const CliOutcome run = RunCli(options);
        QCOMPARE(run.status, 0);
        // "my font.c", "my-font.c" and "my_font.c" share a name: each run says which it took.
        QCOMPARE(QString(run.err),
                 QString("c: array %1, %1_size and include guard RUNEMILL_FONT_%1_H, from %2\n")
                     .arg(symbol, symbolOption.isEmpty()
                                      ? "the file name; --symbol NAME gives other names"
                                      : "--symbol"));
        const QByteArray source = ReadAll(file), name = symbol.toLatin1(),
                         count = QByteArray::number(bin.size());
        QVERIFY(source.contains("#include \"" + QFileInfo(header).fileName().toUtf8() + "\"\n"));
        QVERIFY(source.contains("const uint8_t " + name + "[" + count + "] = {"));
        QVERIFY(source.contains("const size_t " + name + "_size = " + count + ";\n"));
        QVERIFY(ReadAll(header).contains("extern const uint8_t " + name + "[" + count + "];\n"));
        QByteArray array;
        for (const QByteArray& item : source.mid(source.indexOf("= {") + 3).split(','))
            if (item.trimmed().startsWith("0x")) array += char(item.trimmed().toUInt(nullptr, 0));
        QCOMPARE(array.toHex(), bin.toHex());
        QVERIFY(ReadAll(header).contains("#ifndef RUNEMILL_FONT_" + name + "_H\n"));
    }

    // A file-size limit the .c cannot fit under: exit 2, the old .c and .h as they were and no
    // temporary file left.
    void oldPairKeptWhenTheDiskFills() {
        const QString source = Path("full/font.c"), header = Path("full/font.h");
        QVERIFY(QDir(dir.path()).mkpath("full") && WriteAll(source, "old") &&
                WriteAll(header, "old"));
        const QString limit = "trap '' XFSZ; ulimit -f 4;";  // 2 or 4 kB, as the shell counts
        QCOMPARE(Run("convert ascii --width 8 --height 8 -o @full/font.c", {}, limit).status, 2);
        QCOMPARE(ReadAll(source) + ReadAll(header), QByteArray("oldold"));
        QCOMPARE(QDir(Path("full")).entryList(QDir::Files), QStringList({"font.c", "font.h"}));
    }

    // The .c or the .h a link to a device, a pipe or a loop: a pipe is written through (stdout
    // here), a full device fails with no new file beside it, a loop is refused.
    void pathKinds_data() {
        QTest::addColumn<QString>("linked");  // k.c or k.h
        QTest::addColumn<QString>("target");  // what it links to
        QTest::addColumn<QString>("reason");  // why it cannot be written; empty: it can
        // clang-format off
        QTest::newRow("c a pipe") << "k.c" << "/dev/stdout" << "";
        QTest::newRow("c a full device") << "k.c" << "/dev/full" << "No space left on device";
        QTest::newRow("h a full device") << "k.h" << "/dev/full" << "No space left on device";
        QTest::newRow("c a loop") << "k.c" << "k.c" << "Too many levels of symbolic links";
        // clang-format on
    }
    void pathKinds() {
        QFETCH(QString, linked);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QDir folder(Path(QTest::currentDataTag()));
        QVERIFY(folder.mkpath(".") && QFile::link(target, folder.filePath(linked)));
        const CliOutcome run = RunCli({"convert", "ascii", "--width", "8", "--height", "8",
                                       "--quiet", "-o", folder.filePath("k.c")});
        if (!reason.isEmpty()) {
            QCOMPARE(QString(run.err), "runemill-cli: --output: cannot write " +
                                           folder.filePath(linked) + ": " + reason +
                                           "; the old files were left as they were\n");
            QCOMPARE(run.status, 2);
        } else {
            QCOMPARE(run.status, 0);
            QVERIFY(run.out.startsWith("/* Written by runemill-cli") &&
                    run.out.endsWith("= 864;\n"));
            QVERIFY(ReadAll(folder.filePath("k.h")).contains("extern const uint8_t k[864];"));
        }
        QCOMPARE(folder.entryList(QDir::Files | QDir::System),
                 (reason.isEmpty() ? QStringList{"k.c", "k.h"} : QStringList{linked}));
        QVERIFY(QFileInfo(folder.filePath(linked)).isSymLink());
    }

    // With --compress the array holds the compressed file, as the .bin does.
    void compressed() {
        for (const QString out : {"@z.c", "@z.bin"})
            QCOMPARE(Run("convert ascii --width 8 --height 8 --compress -o " + out).status, 0);
        const QByteArray bytes = ReadAll(Path("z.bin"));
        QVERIFY(bytes.startsWith("RZ\x02"));
        QVERIFY(ReadAll(Path("z.c"))
                    .contains("const uint8_t z[" + QByteArray::number(bytes.size()) +
                              "] = {\n    0x52, 0x5a, 0x02,"));
    }
};

QTEST_MAIN(TestCliCSource)
#include "test_cli_c_source.moc"
