// Read and set the window's private state from tests (MainWindow befriends this class).
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include "app/main_window.h"

class MainWindowTestAccess {
  public:
    static int glyphW(const MainWindow& w) { return w.glyphW; }
    static int spaceDivisor(const MainWindow& w) { return w.spaceDivisor; }
    static const QString& lastDir(const MainWindow& w) { return w.lastDir; }
    static QImage& glyphImage(MainWindow& w) { return w.glyphImage; }
    static const QImage& previewImage(const MainWindow& w) { return w.previewImage; }
    static QFont& currentFont(MainWindow& w) { return w.currentFont; }
    static bool runActive(const MainWindow& w) { return w.runActive; }
};
