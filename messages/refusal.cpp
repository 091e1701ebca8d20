#include "messages/refusal.h"

#include "render/codes.h"

namespace runemill {

namespace {

Refusal Make(Refusal::Kind kind, const QString& text) {
    Refusal refusal;
    refusal.kind = kind;
    refusal.text = text;
    return refusal;
}

}  // namespace

Refusal Refusal::ShortCode(bool start) {
    return start ? Make(StartCodeShort, QStringLiteral("Start code number is less 4."))
                 : Make(EndCodeShort, QStringLiteral("End code number is less 4."));
}

Refusal Refusal::StartAfterEndCode() {
    return Make(StartAfterEnd, QStringLiteral("Error for start code > end code. And stop."));
}

Refusal Refusal::CodeOutOfRange(bool start, int limit) {
    const QString hex = HexCodeText(limit, 4);
    return start ? Make(StartCodeTooLow, QStringLiteral("Font Start Code is less 0x") + hex)
                 : Make(EndCodeTooHigh, QStringLiteral("Font End Code is over 0x") + hex);
}

Refusal Refusal::SmallCell() {
    return Make(CellTooSmall, QStringLiteral("W and H must be at least 1."));
}

Refusal Refusal::LargeCell(int width, int height) {
    return Make(
        CellTooLarge,
        QStringLiteral("A cell of %1 x %2 pixels is too large to draw; choose a smaller W or H.")
            .arg(width)
            .arg(height));
}

Refusal Refusal::LargeFile() {
    return Make(FileTooLarge,
                QStringLiteral("The file would be 2 GB or larger; choose a smaller cell, "
                               "pixel format or code range."));
}

Refusal Refusal::NoCodec(const char* codecName) {
    return Make(MissingCodec,
                QStringLiteral("The text codec \"%1\" is not available in this Qt installation.")
                    .arg(QLatin1String(codecName)));
}

Refusal Refusal::NoMemoryForFile(qint64 bytes) {
    return Make(NotEnoughMemory,
                QStringLiteral("Not enough memory for a file of %1 MB (%2 bytes); nothing was "
                               "written.")
                    .arg(bytes / 1e6, 0, 'f', 1)
                    .arg(bytes));
}

Refusal Refusal::NoMemoryForCell(int width, int height) {
    return Make(
        NotEnoughMemory,
        QStringLiteral("Not enough memory to draw a cell of %1 x %2 pixels; nothing was written.")
            .arg(width)
            .arg(height));
}

Refusal Refusal::CannotCompress(const QString& problem) {
    return Make(
        NotCompressible,
        QStringLiteral("The file cannot be compressed: %1; nothing was written.").arg(problem));
}

}  // namespace runemill
