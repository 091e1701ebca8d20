// Answers the window's modal dialogs in headless tests: file dialogs get the
// next queued path (an empty one cancels), message boxes are read and closed,
// any other dialog is cancelled.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class ModalAnswerer : public QObject {
    Q_OBJECT

  public:
    ModalAnswerer();

    // Paths for the next file dialogs, in order; "" cancels a dialog.
    void QueueFile(const QString& path) { files_ << path; }
    QStringList messages;     // texts of the "Message" boxes closed so far, in order
    QStringList fileDialogs;  // what each file dialog showed: title|directory|file name|filter
    QStringList cancelled;    // titles of the other dialogs, each cancelled
    // Called when a "Message" box is closed, before the next one can open.
    std::function<void(const QString&)> onMessage;

  private:
    void Answer();

    QTimer timer_;
    QPointer<QWidget> answered_;
    QStringList files_;
};
