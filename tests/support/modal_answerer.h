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
    // Texts of the "Message" boxes closed so far, in order.
    const QStringList& messages() const { return messages_; }
    // What each file dialog showed: title|directory|file name|filter.
    const QStringList& fileDialogs() const { return fileDialogs_; }
    // Titles of the other dialogs, each cancelled.
    const QStringList& cancelled() const { return cancelled_; }
    // Called when a "Message" box is closed, before the next one can open.
    void SetOnMessage(std::function<void(const QString&)> onMessage) {
        onMessage_ = std::move(onMessage);
    }

  private:
    void Answer();

    QTimer timer_;
    QPointer<QWidget> answered_;
    QStringList files_;
    QStringList messages_;
    QStringList fileDialogs_;
    QStringList cancelled_;
    std::function<void(const QString&)> onMessage_;
};
