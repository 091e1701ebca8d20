#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
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

// The platform Qt will start: `-platform NAME` on the command line, else
// QT_QPA_PLATFORM; empty for Qt's default.
QByteArray PlatformAsked(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    }
    return qgetenv("QT_QPA_PLATFORM");
}

// True when the window would look for an X11 or Wayland display and there is
// neither: Qt would abort with a message about reinstalling. Platforms that
// need no display (offscreen, vnc, eglfs, ...) are left to Qt.
bool NoDisplay(int argc, char* argv[]) {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#else
    // A list such as "wayland;xcb" is tried in order; options follow a colon.
    for (const QByteArray& entry : PlatformAsked(argc, argv).split(';')) {
        const int colon = entry.indexOf(':');
        const QByteArray name = colon < 0 ? entry : entry.left(colon);
        if (!name.isEmpty() && name != "xcb" && !name.startsWith("wayland")) return false;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

QtMessageHandler qtMessages = nullptr;

// While the application starts: Qt ends a platform that cannot start (a
// display that does not answer) with a fatal message that suggests
// reinstalling. Its warnings above it say why; this says what to do instead.
void StartMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        qtMessages(type, context, message);
        return;
    }
    std::fputs(
        "runemill: the window could not open its display; runemill-cli converts without one\n",
        stderr);
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (AsksForHelpOrVersion(argc, argv)) return PrintHelpOrVersion(argc, argv);
    if (NoDisplay(argc, argv)) {
        std::fputs(
            "runemill: the window needs a display (DISPLAY and WAYLAND_DISPLAY are unset); "
            "runemill-cli converts without one\n",
            stderr);
        return 1;
    }
    runemill::ChoosePlatform(nullptr);
    EnableScreenScaling();
    qtMessages = qInstallMessageHandler(StartMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtMessages);
    int status = 0;
    {
        MainWindow window;
        FitToScreen(&window);
        window.show();
        status = application.exec();
    }
    return status;
}
