#include "render/font_engine_choice.h"

#include <QByteArray>
#include <QtGlobal>

namespace runemill {

void ChoosePlatform(const char* elsewhere) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
#ifdef Q_OS_WIN
    Q_UNUSED(elsewhere);
    if (platform.isEmpty()) platform = "windows";
    if (platform.startsWith("windows") && !platform.contains("fontengine="))
        qputenv("QT_QPA_PLATFORM", platform + ":fontengine=freetype");
#else
    if (platform.isEmpty() && elsewhere != nullptr) qputenv("QT_QPA_PLATFORM", elsewhere);
#endif
}

}  // namespace runemill
