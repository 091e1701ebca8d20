// A font file dropped on the window: loaded, and its family made the current
// font at the current size; a file Qt cannot read, a FIFO or a file cut short
// changes nothing but a message.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "render/font_families.h"

namespace {

// The one local file a drop carries; empty for anything else.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return QString();
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!runActive && !DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (runActive || path.isEmpty()) return;
    event->acceptProposedAction();
    // A FIFO would block the window until someone writes to it; a file cut
    // short would draw wrong glyphs: LoadFontFile refuses both.
    QString family;
    const QString problem = runemill::LoadFontFile(path, 0, &family);
    if (!problem.isEmpty()) {
        ShowMessage(problem);
        return;
    }
    currentFont.setFamily(family);
    ShowFontInformation(ui->lineEdit_FontInformation->text().section(QLatin1Char('-'), -1));
    ReadSettings();
    if (!PreviewCellDrawable(false)) return;
    RefreshPreview(PreviewCharacter());
}
