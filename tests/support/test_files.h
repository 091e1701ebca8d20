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

// From now on no file this process or a child of it writes grows past `bytes` (0: no limit); a
// write past the limit fails rather than ending the process.
inline bool LimitFileSize(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes ? rlim_t(bytes) : RLIM_INFINITY, RLIM_INFINITY};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
