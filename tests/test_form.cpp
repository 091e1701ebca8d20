// The form on a bare QMainWindow: the scroll bars, the added controls, the images. (Its slots
// wired by name are clicked by every window test; test_window_settings sees that each one matched.)

#include <QImage>
#include <QtTest>

#include "app/form/main_window_ui.h"

class TestForm : public QObject {
    Q_OBJECT
    QMainWindow window;
    MainWindowUi ui;

  public:
    TestForm() {
        window.setObjectName("Named");
        ui.SetupUi(&window);
    }

  private slots:
    // The scroll bars set x0 = value - 25 and y0 = value - 33 in the window; a name the window
    // already has is kept.
    void stateAfterSetupAlone() {
        QCOMPARE(window.objectName(), QStringLiteral("Named"));
        for (QScrollBar* bar : {ui.verticalScrollBar, ui.horizontalScrollBar})
            QCOMPARE((QVector<int>{bar->orientation(), bar->minimum(), bar->maximum(),
                                   bar->pageStep(), bar->value()}),
                     (QVector<int>{bar == ui.verticalScrollBar ? 2 : 1, 0, 50, 1, 25}));
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
    }

    // The images come from a static library: they are there only if it is linked in.
    void images() {
        const QStringList names = QDir(":/Image").entryList();
        QCOMPARE(names.size(), 10);
        for (const QString& name : names)
            QVERIFY2(!QImage(":/Image/" + name).isNull(), qPrintable(name));
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
