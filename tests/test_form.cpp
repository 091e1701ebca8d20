// The form on a bare QMainWindow: state, places, fonts, texts, order and images.

#include <QImage>
#include <QtTest>

#include "app/form/main_window_ui.h"

namespace {

// A window with one slot named after a form widget, to see the slots being connected by name.
class SlotProbeWindow : public QMainWindow {
    Q_OBJECT
  public:
    int viewClicks = 0;
  private slots:
    void on_pushButton_3_clicked() { ++viewClicks; }
};

}  // namespace

class TestForm : public QObject {
    Q_OBJECT
    QMainWindow window;
    MainWindowUi ui;

    QWidget* Find(const QString& name) { return window.findChild<QWidget*>(name); }

  public:
    TestForm() { ui.SetupUi(&window); }

  private slots:
    // The scroll bars set x0 = value - 25 and y0 = value - 33 in the window.
    void stateAfterSetupAlone() {
        QCOMPARE(window.size(), QSize(1266, 850));
        for (QScrollBar* bar : {ui.verticalScrollBar, ui.horizontalScrollBar})
            QCOMPARE((QVector<int>{bar->orientation(), bar->minimum(), bar->maximum(),
                                   bar->pageStep(), bar->value()}),
                     (QVector<int>{bar == ui.verticalScrollBar ? 2 : 1, 0, 50, 1, 25}));
    }

    // A sample of the fixed places: panels, the two code fields sharing one place, and the
    // chip and mirror controls below the bottom edge of the start size.
    void rightColumn_data() {
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const struct {
            const char *name, *parent;
            QRect geometry;
            const char* text;
        } rows[] = {
            {"lineEdit_TextCode", "frame_7", {190, 250, 81, 28}, "BBAA"},
            {"lineEdit_CharCode", "frame_7", {190, 250, 80, 28}, "\xE4\xB9\x90"},
            {"pushButton", "frame_Right", {30, 850, 51, 35}, "ZQ IC Bin"},
            {"checkBox_revY", "frame_Right", {170, 950, 121, 28}, "Reverse Y"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.parent << r.geometry << QString::fromUtf8(r.text);
    }
    void rightColumn() {
        QFETCH(QString, parentName);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QWidget* widget = Find(QTest::currentDataTag());
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->property("text").toString(), text);
    }

    // A sample of the fonts; the rest resolve through the parents.
    void fonts_data() {
        QTest::addColumn<QString>("font");  // family, point size, weight
        const char* const rows[][2] = {{"label_15 F1", "Arial 12 75"},
                                       {"label_2 F7", "Arial 10 75"},
                                       {"progressBar F9", "Arial Black 10 75"}};
        for (const auto& r : rows) QTest::newRow(r[0]) << QString(r[1]);
    }
    void fonts() {
        QFETCH(QString, font);
        const QString name = QString(QTest::currentDataTag()).section(' ', 0, 0);
        const QFont got = Find(name)->font();
        QCOMPARE(QString("%1 %2 %3").arg(got.family()).arg(got.pointSize()).arg(got.weight()),
                 font);
        // Only F7 sets kerning.
        QCOMPARE(bool(got.resolve() & QFont::KerningResolved), name == "label_2");
    }

    void raiseAndFocusOrder() {
        const QStringList raised = {
            "frame_6",           "frame_7",       "frame_3", "pushButton", "pushButton_2",
            "comboBox_Rotation", "checkBox_revY", "label",   "label_10",   "checkBox_revX"};
        QStringList names;
        for (QObject* child : ui.frame_Right->children())
            if (child->isWidgetType()) names << child->objectName();
        QCOMPARE(names, raised);
        // Later creation stacks higher: the character field covers the code field.
        QVERIFY(ui.frame_7->children().indexOf(ui.lineEdit_CharCode) >
                ui.frame_7->children().indexOf(ui.lineEdit_TextCode));

        const QStringList watched = {"pushButton_2", "comboBox_FCode",    "lineEdit_Limit",
                                     "lineEdit_W",   "lineEdit_CharCode", "pushButton_String",
                                     "checkBox_revX"};
        QStringList seen;
        QWidget* w = ui.pushButton_2;
        do {
            if (watched.contains(w->objectName())) seen << w->objectName();
            w = w->nextInFocusChain();
        } while (w && w != ui.pushButton_2 && seen.size() < 100);
        QCOMPARE(seen, watched);
    }

    void slotsConnectedByNameAndNameKept() {
        SlotProbeWindow probe;
        probe.setObjectName("Named");
        MainWindowUi probeUi;
        probeUi.SetupUi(&probe);
        QCOMPARE(probe.objectName(), QStringLiteral("Named"));
        QTest::mouseClick(probeUi.pushButton_3, Qt::LeftButton);
        QTest::mouseClick(probeUi.pushButton_MakeFont, Qt::LeftButton);
        QCOMPARE(probe.viewClicks, 1);
    }

    // The images come from a static library: they are there only if it is linked in.
    void images() {
        const QStringList names = QDir(":/Image").entryList();
        QCOMPARE(names.size(), 10);
        for (const QString& name : names)
            QVERIFY2(!QImage(":/Image/" + name).isNull(), qPrintable(name));
        QCOMPARE(QImage(":/Image/button_bg_hover.png").size(), QSize(272, 48));
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
