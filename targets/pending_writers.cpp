// Stand-ins for the writers that are not merged yet: each refuses.
#include "targets/target_font.h"

namespace runemill {

namespace {

QByteArray NotWrittenYet(const char* what, QString* problem) {
    *problem = QStringLiteral("%1 is not written yet by this build").arg(QLatin1String(what));
    return QByteArray();
}

}  // namespace

QByteArray WriteLvglC(const TargetFont&, const QString&, bool, QString* problem) {
    return NotWrittenYet("the LVGL C font", problem);
}

QByteArray WriteLvglBin(const TargetFont&, QString* problem) {
    return NotWrittenYet("the LVGL binary font", problem);
}

QByteArray WriteU8g2(const TargetFont&, const QString&, QString* problem) {
    return NotWrittenYet("the u8g2 font", problem);
}

}  // namespace runemill
