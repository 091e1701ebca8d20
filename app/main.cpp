#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

#include "app/main_window.h"
#include "app/screen_scaling.h"
#include "render/font_engine_choice.h"

namespace {

bool AsksForHelpOrVersion(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0) return true;
        }
    }
    return false;
}

// Answered without a display: the manual page is made from this text on a
// build machine that has none.
int PrintHelpOrVersion(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("runemill"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RUNEMILL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The Runemill window: draws a font into fixed-size glyph cells and writes the\n"
        "binary font files (GB2312, BIG5, GBK, Unicode, ASCII and string fonts) that a\n"
        "display controller or a microcontroller reads. It needs a display; the same\n"
        "conversions run without one through runemill-cli."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);  // prints the help or the version and exits
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (AsksForHelpOrVersion(argc, argv)) return PrintHelpOrVersion(argc, argv);
    runemill::ChoosePlatform(nullptr);
    EnableScreenScaling();
    QApplication application(argc, argv);
    int status = 0;
    {
        MainWindow window;
        FitToScreen(&window);
        window.show();
        status = application.exec();
    }
    return status;
}
