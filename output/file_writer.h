// Putting a finished file on disk so that a failure never costs the old one:
// a regular file is replaced only once the new bytes are all written, an
// append that fails is cut back, and a device or FIFO is written through,
// never replaced by a regular file.
#pragma once

#include <QByteArray>
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

// Writes two files that belong together (a C source and its header): each
// regular file is replaced only once both new contents are complete and a
// device or FIFO among them has taken its bytes; when the second cannot be
// put in place the first gets its old content back. On failure *failedPath
// is the file that could not be written and *aftermath says what became of
// the other ("the old files were left as they were", "x.h was written
// through", "x.h holds the new content and could not be put back").
WriteResult ReplaceFilePair(const QString& firstPath, const QByteArray& first,
                            const QString& secondPath, const QByteArray& second,
                            QString* failedPath, QString* aftermath);

// True when `a` and `b` are the same existing file: the same device and
// inode, so hard links, symbolic links and other spellings of one path count.
bool SameFile(const QString& a, const QString& b);

// The one line of a run that would write over one of its own inputs:
// "OUTPUT is also the INPUT; it would be overwritten" (`input`: "--text file").
QString OverwritesInputText(const QString& output, const QString& input);

}  // namespace runemill
