// Why a conversion is refused before anything is written: one kind per
// reason, each with the one text every front end shows. runemill-cli maps the
// kind to the option it concerns; the window shows the text.
#pragma once

#include <QString>

namespace runemill {

struct Refusal {
    enum Kind {
        None,
        StartCodeShort,  // fewer than four characters in the start code
        EndCodeShort,
        StartCodeTooLow,  // below the encoding's first code
        EndCodeTooHigh,   // beyond the encoding's last code
        StartAfterEnd,
        CellTooSmall,     // W or H below 1
        CellTooLarge,     // a canvas no image can hold
        FileTooLarge,     // 2 GB or more
        MissingCodec,     // Qt has no codec for the encoding
        NotEnoughMemory,  // the buffer or a cell could not be allocated
        NotCompressible,  // the finished file has no compressed form
    };

    Kind kind = None;
    QString text;

    explicit operator bool() const { return kind != None; }

    static Refusal ShortCode(bool start);
    static Refusal StartAfterEndCode();
    static Refusal CodeOutOfRange(bool start, int limit);  // "Font Start Code is less 0xA1A0"
    static Refusal SmallCell();
    static Refusal LargeCell(int width, int height);
    static Refusal LargeFile();
    static Refusal NoCodec(const char* codecName);
    static Refusal NoMemoryForFile(qint64 bytes);
    static Refusal NoMemoryForCell(int width, int height);
    static Refusal CannotCompress(const QString& problem);
};

}  // namespace runemill
