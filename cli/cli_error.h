// What a command hands back when it cannot finish: the exit status and the one
// line that goes to stderr.
#pragma once

#include <QString>

namespace runemill::cli {

// Exit statuses of every command.
enum ExitStatus { kExitDone = 0, kExitBadInput = 1, kExitIoFailure = 2 };

struct CliError {
    int status = kExitBadInput;
    QString option;   // "--width", "kind", "-o"...
    QString problem;  // one sentence, without the option name

    // "runemill-cli: --width: 'abc' is not a whole number"
    QString Line() const {
        return QStringLiteral("runemill-cli: ") + option + QStringLiteral(": ") + problem;
    }
};

}  // namespace runemill::cli
