// runemill-cli convert -o FILE.c: the font's bytes as a C array named from --symbol or the file
// name, with its header beside it; refusals of names and kinds that cannot be C source.
#include <QtTest>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out, err;
};

Outcome Run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(RUNEMILL_CLI_PATH), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList kFont{"convert", "ascii", "--width", "8", "--height", "8", "--quiet"};

}  // namespace

class TestCliCSource : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir;

  private slots:
    void sameBytesAsBin_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("symbolOption");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("header");
        QTest::newRow("from the file name") << "My-Font 16.c" << "" << "My_Font_16" << "My-Font 16.h";
        QTest::newRow("leading digit") << "16x16.c" << "" << "_16x16" << "16x16.h";
        QTest::newRow("--symbol") << "font.c" << "ui_font" << "ui_font" << "font.h";
    }

    void sameBytesAsBin() {
        QFETCH(QString, file);
        QFETCH(QString, symbolOption);
        QFETCH(QString, symbol);
        QFETCH(QString, header);
        QStringList options = kFont + QStringList{"-o", dir.filePath(file)};
        if (!symbolOption.isEmpty()) options << "--symbol" << symbolOption;
        QCOMPARE(Run(kFont + QStringList{"-o", dir.filePath("font.bin")}).status, 0);
        QCOMPARE(Run(options).status, 0);

        const QByteArray bin = ReadAll(dir.filePath("font.bin"));
        const QByteArray source = ReadAll(dir.filePath(file));
        const QByteArray size = QByteArray::number(bin.size());
        const QByteArray name = symbol.toLatin1();
        QVERIFY(bin.size() > 104);
        QVERIFY(source.contains("#include \"" + header.toUtf8() + "\"\n"));
        QVERIFY(source.contains("const size_t " + name + "_size = " + size + ";\n"));
        const int start = source.indexOf("const uint8_t " + name + "[" + size + "] = {");
        const int end = source.indexOf("};", start);
        QVERIFY(start >= 0 && end > start);
        QByteArray bytes;
        QRegularExpression hex(QStringLiteral("0x([0-9a-f]{2}),"));
        auto match = hex.globalMatch(QString::fromLatin1(source.mid(start, end - start)));
        while (match.hasNext()) bytes.append(char(match.next().captured(1).toInt(nullptr, 16)));
        QCOMPARE(bytes, bin);

        const QByteArray declarations = ReadAll(dir.filePath(header));
        QVERIFY(declarations.contains("extern const uint8_t " + name + "[" + size + "];\n"));
        QVERIFY(declarations.contains("extern const size_t " + name + "_size;\n"));
    }

    void refused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("not an identifier")
            << QStringList{"ascii", "-o", "x.c", "--symbol", "9lives"}
            << "--symbol: '9lives' is not a C identifier (letters, digits and _, not starting with "
               "a digit)";
        QTest::newRow("--symbol without C output")
            << QStringList{"ascii", "-o", "x.bin", "--symbol", "font"}
            << "--symbol: only with C source output (-o FILE.c)";
        QTest::newRow("a header as C source")
            << QStringList{"chip", "-o", "x.c"}
            << "--output: the chip and ttf headers are appended to a .bin file; C source is "
               "written for fonts only";
    }

    void refused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        arguments.replace(2, dir.filePath(arguments.at(2)));
        const Outcome run = Run(QStringList{"convert"} + arguments);
        QCOMPARE(run.status, 1);
        QCOMPARE(QString::fromUtf8(run.err), "runemill-cli: " + line + '\n');
        QVERIFY(!QFile::exists(arguments.at(2)) && !QFile::exists(dir.filePath("x.h")));
    }
};

QTEST_MAIN(TestCliCSource)
#include "test_cli_c_source.moc"
