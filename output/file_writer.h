// Putting a finished file on disk so that a failure never costs the old one:
// a regular file is replaced only once the new bytes are all written, an
// append that fails is cut back, and a device or FIFO is written through,
// never replaced by a regular file.
#pragma once

#include <QString>
#include <QtGlobal>

namespace runemill {

struct WriteResult {
    bool ok = false;
    bool opened = false;  // the file (or its temporary) could be opened
    qint64 written = 0;   // bytes of `data` that reached the file
    QString error;        // the system's reason ("No space left on device"); empty when ok
};

// Writes `size` bytes as the whole content of `path`.
WriteResult ReplaceFile(const QString& path, const char* data, qint64 size);

// Appends `size` bytes to `path` (created when missing). A regular file that
// cannot take them all is put back to its old length.
WriteResult AppendToFile(const QString& path, const char* data, qint64 size);

// True when `a` and `b` name the same existing file (links and relative
// paths resolved), so a run never overwrites its own input.
bool SameFile(const QString& a, const QString& b);

}  // namespace runemill
