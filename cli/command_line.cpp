#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace runemill::cli {

bool ParseArguments(QCommandLineParser& parser, const QStringList& arguments, CliError* error) {
    if (parser.parse(arguments)) return true;
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString dashes =
            unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return Fail(error, dashes + unknown.first(), QStringLiteral("unknown option"));
    }
    // "Missing value after '--width'."
    const QString text = parser.errorText();
    const int open = text.indexOf(QLatin1Char('\''));
    const int close = text.indexOf(QLatin1Char('\''), open + 1);
    if (text.startsWith(QLatin1String("Missing value")) && open >= 0 && close > open)
        return Fail(error, text.mid(open + 1, close - open - 1), QStringLiteral("missing value"));
    return Fail(error, QStringLiteral("options"), text);
}

bool ReadInt(const QCommandLineParser& parser, const QString& name, int minimum,
             const QString& outOfRange, int* value, CliError* error, int maximum) {
    if (!parser.isSet(name)) return true;
    const QString text = parser.value(name);
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    const QString option = QStringLiteral("--") + name;
    if (!ok) return Fail(error, option, QStringLiteral("'%1' is not a whole number").arg(text));
    if (number < minimum || number > maximum) return Fail(error, option, outOfRange);
    *value = number;
    return true;
}

namespace {

// The first reason a write to stdout failed; 0 while none has.
int stdoutErrno = 0;

// Keeps the reason of a failed write to stdout: a later flush of the same
// stream may fail for no reason it tells.
void Note(int result, FILE* stream) {
    if (result == EOF && stream == stdout && stdoutErrno == 0) stdoutErrno = errno;
}

void Put(const QByteArray& text, FILE* stream) {
    errno = 0;
    Note(std::fputs(text.constData(), stream), stream);
}

void Flush(FILE* stream) {
    errno = 0;
    Note(std::fflush(stream), stream);
}

}  // namespace

void PrintLines(const QStringList& lines, FILE* stream) {
    for (const QString& line : lines) Put(line.toUtf8() + '\n', stream);
    Flush(stream);
}

void PrintText(const QString& text) {
    Put(text.toUtf8(), stdout);
    Flush(stdout);
}

QString StdoutProblem() {
    Flush(stdout);
    if (!std::ferror(stdout)) return QString();
    return QString::fromLocal8Bit(std::strerror(stdoutErrno != 0 ? stdoutErrno : EIO));
}

FILE* LogStream(const QString& output) {
#ifdef Q_OS_UNIX
    struct stat standardOutput, file;
    if (fstat(STDOUT_FILENO, &standardOutput) == 0 &&
        stat(QFile::encodeName(output).constData(), &file) == 0 &&
        standardOutput.st_dev == file.st_dev && standardOutput.st_ino == file.st_ino)
        return stderr;
#else
    Q_UNUSED(output);
#endif
    return stdout;
}

QString HelpText(const QCommandLineParser& parser, const QString& usage) {
    QString text = parser.helpText();
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    if (text.startsWith(QLatin1String("Usage:")) && lineEnd > 0)
        text.replace(0, lineEnd, QStringLiteral("Usage: ") + usage);
    return text;
}

QString CliError::Line() const {
    const QString text = QStringLiteral("runemill-cli: ") + option + QStringLiteral(": ") + problem;
    QString line;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            line += QStringLiteral("\\n");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

}  // namespace runemill::cli
