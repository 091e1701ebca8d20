// runemill-cli convert -o FILE.c: the array named from --symbol or the file name, its header beside
// it; refusals of names and kinds that cannot be C source. (reader/mcu/firmware_test.sh compiles
// such a source into a firmware and compares its bytes with the .bin.)
#include <QtTest>

namespace {

// Runs runemill-cli; returns its exit status and stderr.
QPair<int, QString> Run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(RUNEMILL_CLI_PATH), QStringList{"convert"} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestCliCSource : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

  private slots:
    void names_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("symbolOption");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("header");
        // clang-format off
        QTest::newRow("from the file name") << "My-Font 16.c" << "" << "My_Font_16" << "My-Font 16.h";
        QTest::newRow("leading digit") << "16x16.c" << "" << "_16x16" << "16x16.h";
        QTest::newRow("--symbol") << "font.c" << "ui_font" << "ui_font" << "font.h";
        // clang-format on
    }

    void names() {
        QFETCH(QString, file);
        QFETCH(QString, symbolOption);
        QFETCH(QString, symbol);
        QFETCH(QString, header);
        QStringList options{"ascii", "--width", "8", "--height", "8", "-o", dir.filePath(file)};
        if (!symbolOption.isEmpty()) options << "--symbol" << symbolOption;
        QCOMPARE(Run(options).first, 0);
        const QByteArray source = ReadAll(dir.filePath(file));
        const QByteArray name = symbol.toLatin1();
        // 9 + 95 + 95 x 8 bytes: the ASCII font of 8 x 8 1bits cells.
        QVERIFY(source.contains("#include \"" + header.toUtf8() + "\"\n"));
        QVERIFY(source.contains("const uint8_t " + name + "[864] = {\n    0x41, 0x53, 0x08,"));
        QVERIFY(source.contains("const size_t " + name + "_size = 864;\n"));
        const QByteArray declarations = ReadAll(dir.filePath(header));
        QVERIFY(declarations.contains("extern const uint8_t " + name + "[864];\n"));
        QVERIFY(declarations.contains("extern const size_t " + name + "_size;\n"));
    }

    void refused_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("not an identifier")
            << "ascii -o x.c --symbol 9lives"
            << "--symbol: '9lives' is not a C identifier (letters, digits and _, not starting with "
               "a digit)";
        QTest::newRow("--symbol without C output")
            << "ascii -o x.bin --symbol font"
            << "--symbol: only with C source output (-o FILE.c)";
        QTest::newRow("a header as C source")
            << "chip -o x.c"
            << "--output: the chip and ttf headers are appended to a .bin file; C source is "
               "written for fonts only";
    }

    void refused() {
        QFETCH(QString, arguments);
        QFETCH(QString, line);
        QStringList list = arguments.split(' ');
        list[2] = dir.filePath(list[2]);
        QCOMPARE(Run(list), qMakePair(1, "runemill-cli: " + line + '\n'));
        QVERIFY(!QFile::exists(list[2]) && !QFile::exists(dir.filePath("x.h")));
    }
};

QTEST_MAIN(TestCliCSource)
#include "test_cli_c_source.moc"
