// The convert commands with another target than the .bin (comboBox_Target):
// the save dialog offers the target's file type and the run's plain file
// becomes the target's file, the bytes runemill-cli --for writes.
#include <QFileDialog>

#include "app/form/main_window_ui.h"
#include "app/main_window.h"
#include "output/file_writer.h"
#include "targets/c_symbol.h"
#include "targets/output_target.h"

namespace {

runemill::OutputTarget TargetAt(int index) {
    const QVector<runemill::TargetDescription> targets = runemill::TargetTable();
    return targets.value(qMax(index, 0), targets.front()).target;
}

}  // namespace

QString MainWindow::GetSaveFontFileName() {
    const runemill::OutputTarget target = TargetAt(ui->comboBox_Target->currentIndex());
    if (target == runemill::OutputTarget::Bin) return GetSaveBinFileName();
    const runemill::TargetDescription& d = runemill::DescriptionOfTarget(target);
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("Save font files"), lastDir + "./_Font_" + QLatin1String(d.suffix),
        QLatin1String(d.filter));
    if (fileName.isEmpty()) return QString();
    lastDir = DirectoryOf(fileName);
    return fileName;
}

bool MainWindow::TargetRefused(const runemill::ConvertJob& job, const QString& fileName) {
    const runemill::OutputTarget target = TargetAt(ui->comboBox_Target->currentIndex());
    // Before anything is drawn: the request, the file's name, and the C name it gives.
    QString problem = runemill::TargetRequestProblem(target, job.request()).text;
    if (problem.isEmpty()) problem = runemill::TargetPathProblem(target, fileName);
    if (problem.isEmpty() && runemill::DescriptionOfTarget(target).cSymbol) {
        problem = runemill::SymbolProblem(runemill::SymbolFromPath(fileName));
        if (!problem.isEmpty()) problem += QStringLiteral("; choose another file name");
    }
    if (!problem.isEmpty()) ShowMessage(problem);
    return !problem.isEmpty();
}

bool MainWindow::WriteTargetFile(const runemill::ConvertJob& job, const QString& fileName,
                                 qint64 size) {
    const runemill::OutputTarget target = TargetAt(ui->comboBox_Target->currentIndex());
    QString problem;
    const QByteArray bytes = runemill::TargetFileBytes(
        target, job, QByteArray::fromRawData(reinterpret_cast<const char*>(outBuffer), int(size)),
        runemill::SymbolFromPath(fileName), &problem);
    if (!problem.isEmpty()) {
        ShowMessage(problem);
        return false;
    }
    return ReportWrite(fileName, bytes.size(),
                       runemill::ReplaceFile(fileName, bytes.constData(), bytes.size())) == 0;
}
