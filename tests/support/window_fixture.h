// The real window driven headless for tests of the commands that write files: a fresh window,
// its dialogs answered, a temporary directory, and a sampler that watches the window between
// glyphs while a run is active.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "modal_answerer.h"
#include "test_files.h"
#include "window_access.h"

class WindowFixture {
  public:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ModalAnswerer> answerer;
    std::function<void()> onSample;  // called between glyphs, with no dialog open
    int samples = 0, mostButtonsDuring = 0;

    WindowFixture() {
        QObject::connect(&sampler, &QTimer::timeout, [this] {
            if (!window || !MainWindowTestAccess::runActive(*window) ||
                QApplication::activeModalWidget())
                return;
            ++samples;
            mostButtonsDuring = qMax(mostButtonsDuring, enabledButtons());
            if (onSample) onSample();
        });
        sampler.setInterval(0);
    }
    void open() {
        dir = std::make_unique<QTemporaryDir>();
        window = std::make_unique<MainWindow>();
        answerer = std::make_unique<ModalAnswerer>();
        onSample = nullptr;
        samples = mostButtonsDuring = 0;
        sampler.start();
    }
    void close() {
        sampler.stop();
        answerer.reset();
        window.reset();
        dir.reset();
    }

    template <typename T>
    T* w(const char* name) {
        return window->findChild<T*>(name);
    }
    void set(const char* lineEdit, const QString& text) { w<QLineEdit>(lineEdit)->setText(text); }
    void pick(const char* comboBox, int index) { w<QComboBox>(comboBox)->setCurrentIndex(index); }
    void setCell(const QString& width, const QString& height) {
        set("lineEdit_W", width);
        set("lineEdit_H", height);
    }
    void setLeft(bool on) { w<QCheckBox>("checkBox_Left")->setChecked(on); }
    bool left() { return w<QCheckBox>("checkBox_Left")->isChecked(); }
    QString path(const QString& name) const { return dir->filePath(name); }
    QString log() { return w<QTextEdit>("textEdit")->toPlainText(); }
    QString lastDir() { return MainWindowTestAccess::lastDir(*window); }
    int progress() { return w<QProgressBar>("progressBar")->value(); }
    int enabledButtons() {  // of "Convert all", "Convert ASCII" and "Convert string"
        return w<QPushButton>("pushButton_MakeFont")->isEnabled() +
               w<QPushButton>("pushButton_Ascii")->isEnabled() +
               w<QPushButton>("pushButton_String")->isEnabled();
    }

  private:
    QTimer sampler;
};
