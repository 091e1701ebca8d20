#include "generators/layout/command_text.h"

#include <QTextStream>

namespace runemill {

QString ReadCommandText(QIODevice* device) {
    QTextStream stream(device);
    stream.setCodec("utf-8");
    QString text;
    while (!stream.atEnd()) text += stream.readLine().simplified();
    return text;
}

}  // namespace runemill
