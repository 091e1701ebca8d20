// runemill-cli convert -o FILE.c: the array named from --symbol or the file name, its header beside
// it, and every byte of the .bin. (test_cli's badInput has the refusals of C source.)
#include <QtTest>

namespace {

// Runs runemill-cli convert; returns its exit status.
int Run(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral(RUNEMILL_CLI_PATH), QStringList{"convert"} + arguments);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestCliCSource : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QStringList font;  // a string font whose last byte, the full block's corner, is not 0
    QByteArray bin;

  private slots:
    void initTestCase() {
        QFile text(dir.filePath("text.txt"));  // F█
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("F\xe2\x96\x88") == 4 &&
                text.flush());
        font =
            QString("string --width 10 --height 6 --format 8bits --point-size 30 --y0 0 --text %1")
                .arg(text.fileName())
                .split(' ');
        QCOMPARE(Run(font + QStringList{"-o", dir.filePath("font.bin")}), 0);
        bin = ReadAll(dir.filePath("font.bin"));
        QCOMPARE(bin.size(), 9 + 2 * (2 + 1 + 60));
        QVERIFY(bin.endsWith('\xff'));
    }

    void names_data() {
        QTest::addColumn<QString>("symbolOption");  // the tag is the file's name
        QTest::addColumn<QString>("symbol");
        QTest::newRow("My-Font 16.c") << QString() << QString("My_Font_16");
        QTest::newRow("16x16.c") << QString() << QString("_16x16");  // a leading digit
        QTest::newRow("font.c") << QString("ui_font") << QString("ui_font");
    }

    // The names and the bytes of the .bin (reader/mcu's firmware test compiles such a source).
    void names() {
        QFETCH(QString, symbolOption);
        QFETCH(QString, symbol);
        const QString file = dir.filePath(QTest::currentDataTag()), header = file.chopped(1) + 'h';
        QStringList options = font + QStringList{"-o", file};
        if (!symbolOption.isEmpty()) options << "--symbol" << symbolOption;
        QCOMPARE(Run(options), 0);
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
    }
};

QTEST_MAIN(TestCliCSource)
#include "test_cli_c_source.moc"
