// The form on a bare QMainWindow: the scroll bars, slots wired by name, the images.

#include <QImage>
#include <QtTest>

#include "app/form/main_window_ui.h"

namespace {

// A window with one slot named after a form widget, to see the slots being connected by name.
class SlotProbeWindow : public QMainWindow {
    Q_OBJECT
  public:
    int viewClicks = 0;
    int fitClicks = 0;
  private slots:
    void on_pushButton_3_clicked() { ++viewClicks; }
    void on_pushButton_Fit_clicked() { ++fitClicks; }
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
    void slotsConnectedByNameAndNameKept() {
        SlotProbeWindow probe;
        probe.setObjectName("Named");
        MainWindowUi probeUi;
        probeUi.SetupUi(&probe);
        QCOMPARE(probe.objectName(), QStringLiteral("Named"));
        QTest::mouseClick(probeUi.pushButton_3, Qt::LeftButton);
        QTest::mouseClick(probeUi.pushButton_MakeFont, Qt::LeftButton);
        QTest::mouseClick(probeUi.pushButton_Fit, Qt::LeftButton);
        QCOMPARE(probe.viewClicks, 1);
        QCOMPARE(probe.fitClicks, 1);
    }

    // "Crisp" and "Fit" were put in empty space: inside their panel, covering no other control.
    void addedControlsCoverNothing() {
        const QList<QWidget*> added{ui.checkBox_Crisp, ui.pushButton_Fit};
        for (QWidget* other :
             ui.frame_7->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            for (QWidget* control : added)
                QVERIFY2(added.contains(other) ? ui.frame_7->rect().contains(control->geometry())
                                               : !other->geometry().intersects(control->geometry()),
                         qPrintable(other->objectName()));
        QCOMPARE(ui.checkBox_Crisp->text() + ui.pushButton_Fit->text(), QStringLiteral("CrispFit"));
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
