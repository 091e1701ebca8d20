// Whole files read and written by the tests, a limit on how far files may grow, and the installed
// font most tests draw from.
#pragma once

#include <sys/resource.h>

#include <QFile>
#include <csignal>

const char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The whole file; empty when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Whether a test that cannot run here must fail rather than skip: on Debian 12, where the CI
// runs and dev.sh installs every font the tests draw, a skip would hide a check that never ran.
// RUNEMILL_NO_SKIPS=1 asks for the same anywhere, =0 allows skips on Debian 12.
inline bool SkipsFail() {
    if (qEnvironmentVariableIsSet("RUNEMILL_NO_SKIPS"))
        return qEnvironmentVariableIntValue("RUNEMILL_NO_SKIPS") != 0;
    return ReadAll("/etc/debian_version").startsWith("12");
}

// QSKIP, or QFAIL where skips fail (see SkipsFail).
#define SKIP_OR_FAIL(message)            \
    do {                                 \
        if (SkipsFail()) QFAIL(message); \
        QSKIP(message);                  \
    } while (false)

// From now on no file this process or a child of it writes grows past `bytes` (0: no limit); a
// write past the limit fails rather than ending the process.
inline bool LimitFileSize(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes ? rlim_t(bytes) : RLIM_INFINITY, RLIM_INFINITY};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
