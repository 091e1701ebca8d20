// Reading and writing the big- and little-endian numbers of font files.
#pragma once

#include <QByteArray>

namespace runemill::fontfile {

// Whether `data` holds `count` bytes from `at`.
inline bool Holds(const QByteArray& data, qint64 at, qint64 count) {
    return at >= 0 && count >= 0 && at <= data.size() && count <= data.size() - at;
}

// The `bytes`-byte big-endian number at `at` (the caller checked Holds).
inline quint32 Be(const QByteArray& data, qint64 at, int bytes) {
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | uchar(data.at(int(at) + i));
    return value;
}

// The 4-byte little-endian number at `at` (the caller checked Holds).
inline quint32 Le(const QByteArray& data, qint64 at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uchar(data.at(int(at) + i));
    return value;
}

inline void PutBe(QByteArray* out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out->append(char(value >> (8 * i)));
}

inline void PutLe(QByteArray* out, quint32 value) {
    for (int i = 0; i < 4; ++i) out->append(char(value >> (8 * i)));
}

constexpr quint32 Tag(const char (&name)[5]) {
    return quint32(uchar(name[0])) << 24 | quint32(uchar(name[1])) << 16 |
           quint32(uchar(name[2])) << 8 | uchar(name[3]);
}

}  // namespace runemill::fontfile
