// The form on a bare QMainWindow: widget tree, places, fonts, texts, order and images.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>
#include <memory>

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

QStringList WidgetNames(const QObjectList& objects) {
    QStringList names;
    for (QObject* object : objects) {
        if (object->isWidgetType()) names << object->objectName();
    }
    return names;
}

}  // namespace

class TestForm : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QMainWindow> window;
    MainWindowUi ui;

    template <typename T = QWidget>
    T* Find(const QString& name) {
        T* found = window->findChild<T*>(name);
        if (!found) qWarning("no widget %s", qPrintable(name));
        return found;
    }

  private slots:
    void initTestCase() {
        window = std::make_unique<QMainWindow>();
        ui.SetupUi(window.get());
    }

    void windowAfterSetupAlone() {
        QCOMPARE(window->objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(window->size(), QSize(1266, 850));
        QCOMPARE(window->font().pointSize(), 10);
        QCOMPARE(window->tabShape(), QTabWidget::Rounded);
        QCOMPARE(window->centralWidget(), Find("centralwidget"));
        QCOMPARE(window->windowTitle(), QString());
        for (const char* name : {"comboBox_FCode", "comboBox_PixFormat", "comboBox_Rotation",
                                 "comboBox_ShowBy", "comboBox_Space"}) {
            QVERIFY2(Find<QComboBox>(name)->count() == 0, name);
        }
        QCOMPARE(ui.progressBar->value(), 24);
        QCOMPARE(ui.progressBar->alignment(), Qt::AlignCenter);
        QCOMPARE(ui.verticalScrollBar->orientation(), Qt::Vertical);
        QCOMPARE(ui.horizontalScrollBar->orientation(), Qt::Horizontal);
        for (QScrollBar* bar : {ui.verticalScrollBar, ui.horizontalScrollBar}) {
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->maximum(), 50);
            QCOMPARE(bar->pageStep(), 1);
            QCOMPARE(bar->value(), 25);
        }
        // Validators and start-up style sheets belong to the window, not to the form.
        QVERIFY(ui.lineEdit_W->validator() == nullptr);
        QCOMPARE(ui.frame_7->styleSheet(), QString());
        QCOMPARE(ui.progressBar->styleSheet(), QString());
    }

    void existingObjectNameIsKept() {
        QMainWindow named;
        named.setObjectName("Named");
        MainWindowUi namedUi;
        namedUi.SetupUi(&named);
        QCOMPARE(named.objectName(), QStringLiteral("Named"));
    }

    void rightColumnPlaces_data() {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("geometry");
        const struct {
            const char *name, *cls, *parent;
            int x, y, w, h;
        } rows[] = {
            {"pushButton_2", "QPushButton", "frame_Right", 230, 850, 51, 35},
            {"frame_6", "QFrame", "frame_Right", 10, 13, 281, 96},
            {"label_3", "QLabel", "frame_6", 10, 15, 100, 28},
            {"comboBox_FCode", "QComboBox", "frame_6", 130, 15, 141, 28},
            {"lineEdit_FontInformation", "QLineEdit", "frame_6", 130, 55, 141, 28},
            {"pushButton_SelectFont", "QPushButton", "frame_6", 9, 55, 100, 28},
            {"frame_7", "QFrame", "frame_Right", 10, 130, 280, 373},
            {"label_4", "QLabel", "frame_7", 10, 14, 30, 28},
            {"lineEdit_W", "QLineEdit", "frame_7", 40, 14, 41, 28},
            {"label_5", "QLabel", "frame_7", 90, 14, 30, 28},
            {"lineEdit_H", "QLineEdit", "frame_7", 120, 14, 41, 26},
            {"label_6", "QLabel", "frame_7", 170, 14, 51, 28},
            {"lineEdit_Limit", "QLineEdit", "frame_7", 230, 14, 41, 28},
            {"label_9", "QLabel", "frame_7", 10, 60, 90, 28},
            {"label_2", "QLabel", "frame_7", 100, 60, 10, 28},
            {"comboBox_PixFormat", "QComboBox", "frame_7", 120, 60, 150, 28},
            {"checkBox_SetItalic", "QCheckBox", "frame_7", 10, 112, 71, 28},
            {"label_16", "QLabel", "frame_7", 120, 112, 101, 25},
            {"comboBox_Space", "QComboBox", "frame_7", 218, 112, 51, 25},
            {"checkBox_SetBold", "QCheckBox", "frame_7", 10, 156, 91, 28},
            {"checkBox_Left", "QCheckBox", "frame_7", 10, 200, 151, 28},
            {"label_11", "QLabel", "frame_7", 10, 250, 75, 28},
            {"label_12", "QLabel", "frame_7", 85, 250, 10, 28},
            {"comboBox_ShowBy", "QComboBox", "frame_7", 100, 250, 81, 28},
            {"lineEdit_TextCode", "QLineEdit", "frame_7", 190, 250, 81, 28},
            {"lineEdit_CharCode", "QLineEdit", "frame_7", 190, 250, 80, 28},
            {"pushButton_3", "QPushButton", "frame_7", 10, 296, 261, 65},
            {"frame_3", "QFrame", "frame_Right", 10, 522, 281, 321},
            {"label_7", "QLabel", "frame_3", 30, 10, 91, 16},
            {"label_8", "QLabel", "frame_3", 160, 10, 91, 16},
            {"lineEdit_SCode", "QLineEdit", "frame_3", 40, 35, 61, 26},
            {"lineEdit_ECode", "QLineEdit", "frame_3", 170, 35, 61, 26},
            {"pushButton_MakeFont", "QPushButton", "frame_3", 10, 70, 261, 61},
            {"pushButton_Ascii", "QPushButton", "frame_3", 10, 140, 261, 61},
            {"pushButton_String", "QPushButton", "frame_3", 10, 210, 261, 61},
            {"progressBar", "QProgressBar", "frame_3", 10, 280, 261, 31},
            {"pushButton", "QPushButton", "frame_Right", 30, 850, 51, 35},
            {"label", "QLabel", "frame_Right", 30, 910, 91, 28},
            {"label_10", "QLabel", "frame_Right", 120, 910, 10, 28},
            {"comboBox_Rotation", "QComboBox", "frame_Right", 140, 910, 150, 28},
            {"checkBox_revX", "QCheckBox", "frame_Right", 30, 950, 131, 28},
            {"checkBox_revY", "QCheckBox", "frame_Right", 170, 950, 121, 28},
        };
        for (const auto& r : rows) {
            QTest::newRow(r.name) << r.cls << r.parent << QRect(r.x, r.y, r.w, r.h);
        }
    }
    void rightColumnPlaces() {
        QFETCH(QString, className);
        QFETCH(QString, parentName);
        QFETCH(QRect, geometry);
        QWidget* widget = Find(QTest::currentDataTag());
        QVERIFY(widget);
        QCOMPARE(QString(widget->metaObject()->className()), className);
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
        QCOMPARE(widget->geometry(), geometry);
    }

    void layoutCells_data() {
        QTest::addColumn<QString>("layoutName");
        QTest::addColumn<QString>("ownerName");
        QTest::addColumn<QVector<int>>("cell");  // row, column, row span, column span
        const struct {
            const char *name, *layout, *owner;
            int row, col, rowSpan, colSpan;
        } rows[] = {
            {"frame", "gridLayout_6", "centralwidget", 0, 0, 1, 1},
            {"frame_Right", "gridLayout_6", "centralwidget", 0, 1, 1, 1},
            {"frame_2", "gridLayout", "frame", 0, 0, 1, 1},
            {"frame_8", "gridLayout", "frame", 1, 0, 1, 1},
            {"frame_9", "gridLayout_2", "frame_8", 0, 0, 1, 1},
            {"textEdit", "gridLayout_2", "frame_8", 1, 0, 1, 1},
            {"frame_System", "gridLayout_5", "frame_2", 0, 0, 1, 1},
            {"frame_User", "gridLayout_5", "frame_2", 0, 1, 1, 1},
            {"frame_5", "gridLayout_4", "frame_System", 0, 0, 1, 1},
            {"label_ImgSystem", "gridLayout_4", "frame_System", 1, 0, 1, 1},
            {"frame_10", "gridLayout_4", "frame_System", 2, 0, 1, 1},
            {"frame_4", "gridLayout_3", "frame_User", 0, 0, 1, 1},
            {"verticalScrollBar", "gridLayout_3", "frame_User", 0, 1, 2, 1},
            {"label_ImgUser", "gridLayout_3", "frame_User", 1, 0, 1, 1},
            {"horizontalScrollBar", "gridLayout_3", "frame_User", 2, 0, 1, 1},
        };
        for (const auto& r : rows) {
            QTest::newRow(r.name) << r.layout << r.owner
                                  << QVector<int>{r.row, r.col, r.rowSpan, r.colSpan};
        }
    }
    void layoutCells() {
        QFETCH(QString, layoutName);
        QFETCH(QString, ownerName);
        QFETCH(QVector<int>, cell);
        QWidget* owner = Find(ownerName);
        QVERIFY(owner);
        auto* grid = qobject_cast<QGridLayout*>(owner->layout());
        QVERIFY(grid);
        QCOMPARE(grid->objectName(), layoutName);
        const int index = grid->indexOf(Find(QTest::currentDataTag()));
        QVERIFY(index >= 0);
        int row = -1, col = -1, rowSpan = -1, colSpan = -1;
        grid->getItemPosition(index, &row, &col, &rowSpan, &colSpan);
        QCOMPARE((QVector<int>{row, col, rowSpan, colSpan}), cell);
    }

    void layoutSpacing() {
        QCOMPARE(ui.gridLayout_6->contentsMargins(), QMargins(3, 3, 3, 3));
        QCOMPARE(ui.gridLayout_6->sizeConstraint(), QLayout::SetDefaultConstraint);
        QCOMPARE(ui.gridLayout->contentsMargins(), QMargins(1, 1, 1, 1));
        QCOMPARE(ui.gridLayout_5->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(ui.gridLayout_5->spacing(), 0);
        QCOMPARE(ui.horizontalLayout_2->indexOf(ui.label_14), 0);
        QCOMPARE(ui.horizontalLayout_3->indexOf(ui.label_13), 0);
        QCOMPARE(ui.horizontalLayout_4->indexOf(ui.label_15), 0);
    }

    void frames_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("shadow");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("maximum");
        const int kMax = 16777215;
        const int np = QFrame::NoFrame, sp = QFrame::StyledPanel;
        const int plain = QFrame::Plain, raised = QFrame::Raised, sunken = QFrame::Sunken;
        QTest::newRow("frame") << np << plain << QSize(0, 0) << QSize(kMax, kMax);
        QTest::newRow("frame_2") << np << sunken << QSize(0, 0) << QSize(kMax, kMax);
        QTest::newRow("frame_8") << np << sunken << QSize(0, 285) << QSize(kMax, kMax);
        QTest::newRow("frame_9") << sp << raised << QSize(0, 51) << QSize(kMax, 51);
        QTest::newRow("frame_System") << np << sunken << QSize(0, 502) << QSize(kMax, kMax);
        QTest::newRow("frame_5") << sp << raised << QSize(0, 51) << QSize(kMax, 51);
        QTest::newRow("frame_10") << sp << raised << QSize(0, 0) << QSize(kMax, 21);
        QTest::newRow("frame_User") << np << sunken << QSize(0, 502) << QSize(kMax, kMax);
        QTest::newRow("frame_4") << sp << raised << QSize(0, 51) << QSize(kMax, 51);
        QTest::newRow("frame_Right") << np << sunken << QSize(300, 0) << QSize(360, kMax);
        QTest::newRow("frame_6") << sp << raised << QSize(0, 0) << QSize(kMax, 98);
        QTest::newRow("frame_7") << sp << raised << QSize(0, 373) << QSize(kMax, kMax);
        QTest::newRow("frame_3") << sp << raised << QSize(0, 266) << QSize(kMax, kMax);
    }
    void frames() {
        QFETCH(int, shape);
        QFETCH(int, shadow);
        QFETCH(QSize, minimum);
        QFETCH(QSize, maximum);
        auto* frame = Find<QFrame>(QTest::currentDataTag());
        QVERIFY(frame);
        QCOMPARE(int(frame->frameShape()), shape);
        QCOMPARE(int(frame->frameShadow()), shadow);
        QCOMPARE(frame->minimumSize(), minimum);
        QCOMPARE(frame->maximumSize(), maximum);
    }

    void widgetProperties() {
        QCOMPARE(ui.frame_User->midLineWidth(), 0);
        QCOMPARE(ui.textEdit->maximumSize(), QSize(16777215, 1677215));
        QCOMPARE(ui.textEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(ui.textEdit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(ui.label_13->minimumSize(), QSize(0, 0));
        for (QLabel* label :
             {ui.label_13, ui.label_14, ui.label_15, ui.label_ImgSystem, ui.label_ImgUser}) {
            QCOMPARE(label->alignment(), Qt::AlignCenter);
        }
        QCOMPARE(ui.label_2->alignment(), Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
        QVERIFY(ui.lineEdit_FontInformation->isReadOnly());
        QVERIFY(!ui.lineEdit_W->isReadOnly());
        QVERIFY(!ui.pushButton->autoDefault());
        QVERIFY(!ui.pushButton->isFlat());
        QVERIFY(!ui.pushButton->isDefault());
        QCOMPARE(ui.pushButton->styleSheet(), QString());
        const QString s0 = QStringLiteral(
            "QLineEdit{background: #ffffff;border: 1px solid rgba(51,51,51,0.30);"
            "border-radius: 4px;}");
        QCOMPARE(ui.lineEdit_TextCode->styleSheet(), s0);
        QCOMPARE(ui.lineEdit_CharCode->styleSheet(), s0);
        QCOMPARE(ui.lineEdit_TextCode->inputMask(), QString());
        QCOMPARE(ui.lineEdit_CharCode->inputMask(), QString());
    }

    // Inherited attributes resolve through the parents: everything in the right column and in
    // the two preview panels is Arial bold unless its own font says otherwise.
    void fonts_data() {
        QTest::addColumn<QString>("family");  // empty: the application's family
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<int>("weight");
        QTest::newRow("label_15 F1") << "Arial" << 12 << 75;
        QTest::newRow("label_13 F1") << "Arial" << 12 << 75;
        QTest::newRow("textEdit F2") << "Arial" << 10 << 75;
        QTest::newRow("frame_User F2") << "Arial" << 10 << 75;
        QTest::newRow("pushButton F2") << "Arial" << 10 << 75;
        QTest::newRow("label_14 F3") << "Arial" << 12 << 75;
        QTest::newRow("lineEdit_FontInformation F4") << "Arial" << 10 << 50;
        QTest::newRow("lineEdit_CharCode F5") << "Arial" << 10 << 50;
        QTest::newRow("lineEdit_H F5") << "Arial" << 10 << 50;
        QTest::newRow("lineEdit_TextCode F6") << "Arial" << 10 << 75;
        QTest::newRow("pushButton_String F6") << "Arial" << 10 << 75;
        QTest::newRow("label_2 F7") << "Arial" << 10 << 75;
        QTest::newRow("lineEdit_ECode F8") << "Arial" << 10 << 50;
        QTest::newRow("progressBar F9") << "Arial Black" << 10 << 75;
        QTest::newRow("label_10 F10") << "Arial" << 10 << 75;
        QTest::newRow("label_3 inherits frame_Right") << "Arial" << 10 << 75;
        QTest::newRow("label_ImgUser inherits frame_User") << "Arial" << 10 << 75;
        QTest::newRow("frame_8 inherits the window") << "" << 10 << 50;
    }
    void fonts() {
        QFETCH(QString, family);
        QFETCH(int, pointSize);
        QFETCH(int, weight);
        const QString name = QString(QTest::currentDataTag()).section(' ', 0, 0);
        QWidget* widget = Find(name);
        QVERIFY(widget);
        const QFont font = widget->font();
        QCOMPARE(font.family(), family.isEmpty() ? QGuiApplication::font().family() : family);
        QCOMPARE(font.pointSize(), pointSize);
        QCOMPARE(font.weight(), weight);
    }

    void kerningOnlyOnColonLabel() {
        QVERIFY(ui.label_2->font().kerning());
        QVERIFY(ui.label_2->font().resolve() & QFont::KerningResolved);
        QVERIFY(!(ui.label_12->font().resolve() & QFont::KerningResolved));
    }

    void texts_data() {
        QTest::addColumn<QString>("text");
        const struct {
            const char *name, *text;
        } rows[] = {
            {"label_15", "Message"},
            {"label_14", "System Pattern"},
            {"label_ImgSystem", "TextLabel"},
            {"label_13", "User Pattern"},
            {"label_ImgUser", "TextLabel"},
            {"pushButton_2", "TTF File Bin"},
            {"label_3", "Encodings:"},
            {"pushButton_SelectFont", "Font..."},
            {"lineEdit_FontInformation", ""},
            {"label_4", "W\xEF\xBC\x9A"},
            {"lineEdit_W", "32"},
            {"label_5", "H\xEF\xBC\x9A"},
            {"lineEdit_H", "32"},
            {"label_6", " Limit\xEF\xBC\x9A"},
            {"lineEdit_Limit", "50"},
            {"label_9", "Gray scale"},
            {"label_2", ":"},
            {"checkBox_SetItalic", "Italic"},
            {"label_16", "Word-spacing:"},
            {"checkBox_SetBold", "Bold"},
            {"checkBox_Left", "Left alignment"},
            {"label_11", "Show by"},
            {"label_12", ":"},
            {"lineEdit_TextCode", "BBAA"},
            {"lineEdit_CharCode", "\xE4\xB9\x90"},
            {"pushButton_3", "View"},
            {"label_7", "Start Code"},
            {"label_8", "End Code"},
            {"lineEdit_SCode", "A1A0"},
            {"lineEdit_ECode", "F7FE"},
            {"pushButton_MakeFont", "Convert all"},
            {"pushButton_Ascii", "Convert ASCII"},
            {"pushButton_String", "Convert string"},
            {"pushButton", "ZQ IC Bin"},
            {"label", "Rotate"},
            {"label_10", ":"},
            {"checkBox_revX", "Reverse X"},
            {"checkBox_revY", "Reverse Y"},
        };
        for (const auto& r : rows) QTest::newRow(r.name) << QString::fromUtf8(r.text);
    }
    void texts() {
        QFETCH(QString, text);
        QWidget* widget = Find(QTest::currentDataTag());
        QVERIFY(widget);
        QCOMPARE(widget->property("text").toString(), text);
    }

    void raiseOrderOfRightColumn() {
        const QStringList expected = {
            "frame_6",           "frame_7",       "frame_3", "pushButton", "pushButton_2",
            "comboBox_Rotation", "checkBox_revY", "label",   "label_10",   "checkBox_revX"};
        QCOMPARE(WidgetNames(ui.frame_Right->children()), expected);
        // Later creation stacks higher: the character field covers the code field.
        const QStringList panel = WidgetNames(ui.frame_7->children());
        QVERIFY(panel.indexOf("lineEdit_CharCode") > panel.indexOf("lineEdit_TextCode"));
    }

    void focusChainFollowsCreation() {
        const QStringList watched = {"pushButton_2",      "comboBox_FCode",    "lineEdit_Limit",
                                     "lineEdit_W",        "comboBox_ShowBy",   "lineEdit_TextCode",
                                     "pushButton_3",      "lineEdit_CharCode", "comboBox_Space",
                                     "progressBar",       "pushButton_String", "pushButton",
                                     "comboBox_Rotation", "checkBox_revY",     "checkBox_revX"};
        QStringList seen;
        QWidget* start = ui.pushButton_2;
        QWidget* w = start;
        do {
            if (watched.contains(w->objectName())) seen << w->objectName();
            w = w->nextInFocusChain();
        } while (w && w != start && seen.size() < 100);
        QCOMPARE(seen, watched);
    }

    void slotsAreConnectedByName() {
        SlotProbeWindow probe;
        MainWindowUi probeUi;
        probeUi.SetupUi(&probe);
        QTest::mouseClick(probeUi.pushButton_3, Qt::LeftButton);
        QCOMPARE(probe.viewClicks, 1);
        QTest::mouseClick(probeUi.pushButton_MakeFont, Qt::LeftButton);
        QCOMPARE(probe.viewClicks, 1);
    }

    void imageResources_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("ComboBox-downArrow.png") << QSize(21, 11);
        QTest::newRow("Checkbox_uncheck.png") << QSize(26, 26);
        QTest::newRow("Checkbox_uncheck_hover.png") << QSize(26, 26);
        QTest::newRow("Checkbox_check.png") << QSize(26, 26);
        QTest::newRow("Checkbox_check_hover.png") << QSize(26, 26);
        QTest::newRow("Checkbox_point.png") << QSize(12, 13);
        QTest::newRow("Checkbox_point_check.png") << QSize(20, 20);
        QTest::newRow("Checkbox_point_uncheck.png") << QSize(20, 20);
        QTest::newRow("Checkbox_draw.png") << QSize(20, 14);
        QTest::newRow("button_bg_hover.png") << QSize(272, 48);
    }
    void imageResources() {
        QFETCH(QSize, size);
        const QImage image(QStringLiteral(":/Image/") + QTest::currentDataTag());
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), size);
    }

    void checkedIndicatorsDifferFromUnchecked() {
        const QImage unchecked(":/Image/Checkbox_uncheck.png");
        const QImage checked(":/Image/Checkbox_check.png");
        const QImage checkedHover(":/Image/Checkbox_check_hover.png");
        QVERIFY(unchecked != checked);
        QVERIFY(checked != checkedHover);
        QVERIFY(unchecked != QImage(":/Image/Checkbox_uncheck_hover.png"));
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
