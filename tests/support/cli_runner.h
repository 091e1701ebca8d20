// runemill-cli as the tests run it: headless, its exit status, stdout and stderr collected, and
// command lines written as one string in which "@" stands for the test's own folder.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "test_files.h"

struct CliOutcome {
    int status = -1;  // -1: it crashed or did not finish
    QByteArray out, err;
};

// With no display and no platform named; `fontConfig`, when given, is the only font
// configuration it sees (a missing one fails the run). `shell`, when given, runs first in the
// shell that then runs the program ("ulimit -v 100000;", "exec >/dev/full;"). RUNEMILL_CLI, when
// set, names another build of runemill-cli to test (an older one, to see a test fail).
inline CliOutcome RunCli(const QStringList& arguments, const QString& fontConfig = QString(),
                         const QString& shell = QString()) {
    if (!fontConfig.isEmpty() && !QFileInfo::exists(fontConfig)) return {};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!fontConfig.isEmpty()) environment.insert(QStringLiteral("FONTCONFIG_FILE"), fontConfig);
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    const QString program = qEnvironmentVariable("RUNEMILL_CLI", QStringLiteral(RUNEMILL_CLI_PATH));
    if (shell.isEmpty())
        process.start(program, arguments);
    else
        process.start("/bin/sh",
                      QStringList{"-c", shell + " exec \"$0\" \"$@\"", program} + arguments);
    if (!process.waitForFinished(shell.isEmpty() ? 300000 : 120000) ||
        process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

class CliFixture {
  protected:
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }
    // A command line split at its spaces, "@" replaced by the folder and a slash.
    QStringList Args(QString line) const { return line.replace('@', dir.path() + '/').split(' '); }
    CliOutcome Run(const QString& line, const QString& fontConfig = QString(),
                   const QString& shell = QString()) const {
        return RunCli(Args(line), fontConfig, shell);
    }

    // A font configuration, `name`.conf, that installs exactly the files given (copied into the
    // folder `name`) and keeps its cache beside them; missing when it could not be made.
    QString FontConfig(const QString& name, const QStringList& installed) const {
        const QString fonts = Path(name), config = Path(name + ".conf");
        bool made = QDir().mkpath(fonts) && (!QFile::exists(config) || QFile::remove(config));
        for (const QString& file : installed) {
            const QString copy = fonts + '/' + QFileInfo(file).fileName();
            made = made && (QFile::exists(copy) || QFile::copy(file, copy));
        }
        const QString xml =
            "<?xml version=\"1.0\"?><fontconfig><dir>%1</dir>"
            "<cachedir>%1.cache</cachedir></fontconfig>\n";
        if (made) WriteAll(config, xml.arg(fonts).toUtf8());
        return config;
    }
};
