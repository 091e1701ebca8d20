#!/bin/bash
# help2man reads a program's --help and --version through this script, which
# runs RUNEMILL_MAN_PROGRAM with the same arguments. A help of several
# commands (runemill-cli's convert and inspect, each with its "Usage:" line)
# becomes one manual page: the usage lines make the synopsis, each command a
# section of its own (help2man's "*Name*" lines) with its options as a
# subsection; the lists of positional arguments ("convert  The command.") are
# left out. A help with one usage line passes as it is.
#     RUNEMILL_MAN_PROGRAM=build/cli/runemill-cli help2man ... packaging/man_help.sh
set -euo pipefail
QT_QPA_PLATFORM=offscreen "$RUNEMILL_MAN_PROGRAM" "$@" | awk '
    function capital(word) { return toupper(substr(word, 1, 1)) substr(word, 2) }
    # The command of a usage line ("Usage: runemill-cli inspect FILE"), or "".
    function command_of(usage,    words) {
        split(substr(usage, 8), words, " ")
        return words[2] ~ /^[a-z]+$/ ? words[2] : ""
    }
    { line[++n] = $0 }
    /^Usage: / { usages++; if (command_of($0) != "") commands[++count] = command_of($0) }
    END {
        if (usages < 2) { for (i = 1; i <= n; ++i) print line[i]; exit }
        first = 1
        for (i = 1; i <= n; ++i) {
            if (line[i] !~ /^Usage: /) continue
            print (first ? "Usage: " : "  or:  ") substr(line[i], 8)
            first = 0
        }
        split(substr(line[1], 8), words, " ")
        list = commands[1]
        for (c = 2; c <= count; ++c) list = list (c == count ? " and " : ", ") commands[c]
        print "The commands of " words[1] ", " list ", each have a section below."
        for (i = 1; i <= n; ++i) {
            if (line[i] ~ /^Usage: /) {
                command = command_of(line[i])
                if (command != "") printf "\n*%s*\n\n", capital(command)
                continue
            }
            if (line[i] == "Arguments:") { skipping = 1; continue }
            if (skipping) { if (line[i] == "") skipping = 0; else continue }
            if (line[i] == "Options:") { print capital(command) " options:"; continue }
            print line[i]
        }
    }'
