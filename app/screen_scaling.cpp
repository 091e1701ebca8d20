#include "app/screen_scaling.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>

namespace {

// Room for the title bar and borders, which are unknown before the window is shown.
const QSize kFrameRoom(16, 40);

}  // namespace

void EnableScreenScaling() {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

void FitToScreen(QMainWindow* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    const QSize room = available.size() - kFrameRoom;
    if (window->width() <= room.width() && window->height() <= room.height()) return;
    // The right column's controls sit at fixed places down to the bottom of the window's start
    // size, so the form never gets lower than that; only its width can give.
    const QSize least(window->minimumSizeHint().width(), window->height());
    if (least.width() > room.width() || least.height() > room.height()) {
        QWidget* form = window->takeCentralWidget();
        form->setMinimumSize(least);
        auto* scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("scrollArea_Form"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(form);
        window->setCentralWidget(scroll);
    }
    window->resize(window->size().boundedTo(room));
    window->move(available.topLeft());
}
