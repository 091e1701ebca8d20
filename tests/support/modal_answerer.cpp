#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Answer);
    timer_.start();
}

void ModalAnswerer::Answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        if (dialog == answered_) return;  // its queued accept has not run yet
        answered_ = dialog;
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        fileDialogs << dialog->windowTitle() + '|' +
                           QDir::cleanPath(dialog->directory().absolutePath()) + '|' +
                           (name ? name->text() : QString()) + '|' +
                           dialog->nameFilters().join(';');
        const QString path = files_.isEmpty() ? QString() : files_.takeFirst();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            // The whole path in the name field, so a folder that finishes
            // loading before the accept cannot bring its proposed name back.
            if (name) name->setText(path);
            // Queued: accepting an existing name opens the "replace it?" box,
            // which this timer must be free to answer.
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const bool ours = box->windowTitle() == QLatin1String("Message");
        if (ours) {
            messages << box->text();
            if (onMessage) onMessage(box->text());
        }
        // The file dialog's "replace it?" question is answered yes, the window's own questions no.
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        QAbstractButton* no = box->button(QMessageBox::No);
        if (yes) return (ours && no ? no : yes)->click();
        box->accept();
    } else if (auto* other = qobject_cast<QDialog*>(modal)) {
        cancelled << other->windowTitle();
        other->reject();
    }
}
