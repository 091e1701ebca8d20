// What every command of runemill-cli shares: the error it hands back (exit
// status and the one stderr line), reading its options, printing to stdout.
#pragma once

#include <QString>
#include <climits>
#include <cstdio>

class QCommandLineParser;
class QStringList;

namespace runemill::cli {

// Exit statuses of every command.
enum ExitStatus { kExitDone = 0, kExitBadInput = 1, kExitIoFailure = 2 };

struct CliError {
    int status = kExitBadInput;
    QString option;   // "--width", "kind", "-o"...
    QString problem;  // one sentence, without the option name

    // "runemill-cli: --width: 'abc' is not a whole number". Always one line:
    // a line break or other control character in a name shows as \n, \x01...
    QString Line() const;
};

// Fills *error; returns false, for the checks of a command's options.
inline bool Fail(CliError* error, int status, const QString& option, const QString& problem) {
    error->status = status;
    error->option = option;
    error->problem = problem;
    return false;
}

inline bool Fail(CliError* error, const QString& option, const QString& problem) {
    return Fail(error, kExitBadInput, option, problem);
}

// Parses the arguments; a failure names the unknown option or the option
// that lacks its value.
bool ParseArguments(QCommandLineParser& parser, const QStringList& arguments, CliError* error);

// Reads option `name`, when given, as a whole number from `minimum` to
// `maximum`; `outOfRange` is the complaint for one outside.
bool ReadInt(const QCommandLineParser& parser, const QString& name, int minimum,
             const QString& outOfRange, int* value, CliError* error, int maximum = INT_MAX);

// Prints each line to `stream` (stdout unless the output is stdout itself,
// see LogStream), UTF-8, and flushes.
void PrintLines(const QStringList& lines, FILE* stream = stdout);

// Prints `text` to stdout as it is, and flushes.
void PrintText(const QString& text);

// Empty when everything printed to stdout reached it, else the system's
// reason ("No space left on device"): a full disk or a closed pipe loses the
// lines a build script reads, and the run must not pass for done.
QString StdoutProblem();

// Where the log lines of a run writing `output` go: stderr when `output` is
// the file stdout already is (-o /dev/stdout into a pipe), so that stdout
// carries the file's bytes alone; else stdout.
FILE* LogStream(const QString& output);

// The parser's help with the usage line naming the program plainly (Qt names
// it by its full path).
QString HelpText(const QCommandLineParser& parser, const QString& usage);

}  // namespace runemill::cli
