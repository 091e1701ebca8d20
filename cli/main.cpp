// runemill-cli: the font files of the Runemill window from a build script.
// One function per command (convert, inspect); exit status 0 done, 1 bad input, 2 I/O failure.
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <new>

#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/convert_options.h"
#include "cli/inspect_command.h"
#include "convert/convert_request.h"
#include "render/font_engine_choice.h"
#include "render/font_families.h"

namespace {

using runemill::cli::CliError;

int PrintError(const CliError& error) {
    std::fprintf(stderr, "%s\n", error.Line().toUtf8().constData());
    return error.status;
}

// A command that did its work but could not print all it had to is not done.
int Finish(int status) {
    const QString problem = runemill::cli::StdoutProblem();
    if (problem.isEmpty() || status != runemill::cli::kExitDone) return status;
    CliError error;
    error.status = runemill::cli::kExitIoFailure;
    error.option = QStringLiteral("stdout");
    error.problem = QStringLiteral("cannot write standard output: ") + problem;
    return PrintError(error);
}

int ConvertCommand(const QStringList& arguments) {
    runemill::cli::ConvertOptions settings;
    CliError error;
    if (!runemill::cli::ParseConvertOptions(arguments, &settings, &error)) return PrintError(error);
    if (runemill::cli::RunConvert(settings, &error) != runemill::cli::kExitDone)
        return PrintError(error);
    return runemill::cli::kExitDone;
}

int InspectCommand(const QStringList& arguments) {
    CliError error;
    if (runemill::cli::RunInspect(arguments, &error) != runemill::cli::kExitDone)
        return PrintError(error);
    return runemill::cli::kExitDone;
}

struct Command {
    const char* name;
    int (*run)(const QStringList& arguments);  // arguments: program, command, ...
};

const Command kCommands[] = {
    {"convert", ConvertCommand},
    {"inspect", InspectCommand},
};

// Qt's own notes (a missing XDG_RUNTIME_DIR on a build server, for one) would
// mix with the one line a failure prints; only its errors get through. A
// thread that cannot start is no error: its glyphs are drawn on another.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("QThread::start: Thread creation error"))) return;
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "runemill-cli: Qt: %s\n", message.toUtf8().constData());
}

bool AsksForHelp(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help") ||
            argument == QLatin1String("-?"))
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(QtMessages);
    // Fonts need a GUI application, but never a display: a build server has none.
    runemill::ChoosePlatform("offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("runemill-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RUNEMILL_VERSION));
    // The start-up family resolves to the same face as in the window.
    runemill::InstallFontSubstitutes(runemill::ConvertRequest().family);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2 && arguments.at(1) == QLatin1String("--version")) {
        runemill::cli::PrintText(QStringLiteral("runemill-cli " RUNEMILL_VERSION "\n"));
        return Finish(runemill::cli::kExitDone);
    }
    if (arguments.size() < 2 || AsksForHelp(arguments)) {
        // Asked for, the help is the output; without a command it is a usage error.
        const bool asked = arguments.size() >= 2;
        QString help = runemill::cli::ConvertHelpText();
        if (asked && arguments.at(1) == QLatin1String("inspect"))
            help = runemill::cli::InspectHelpText();
        else if (!asked || arguments.at(1) != QLatin1String("convert"))
            help += QLatin1Char('\n') + runemill::cli::InspectHelpText() +
                    QStringLiteral("\nUsage: runemill-cli --version\n");
        if (!asked) {
            std::fputs(help.toUtf8().constData(), stderr);
            return runemill::cli::kExitBadInput;
        }
        runemill::cli::PrintText(help);
        return Finish(runemill::cli::kExitDone);
    }
    for (const Command& command : kCommands) {
        if (arguments.at(1) != QLatin1String(command.name)) continue;
        try {
            return Finish(command.run(arguments));
        } catch (const std::bad_alloc&) {
            // Whatever was being written is not replaced: nothing was committed.
            CliError error;
            error.option = QLatin1String(command.name);
            error.problem = QStringLiteral("not enough memory; nothing was written");
            return PrintError(error);
        }
    }
    CliError error;
    error.option = QStringLiteral("command");
    error.problem = QStringLiteral("unknown command '%1'; the commands are convert and inspect")
                        .arg(arguments.at(1));
    return PrintError(error);
}
