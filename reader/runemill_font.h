/* SPDX-FileCopyrightText: 2026 The Runemill authors
 * SPDX-License-Identifier: MIT */
/*
 * runemill_font.h - read Runemill .bin font files on a microcontroller.
 *
 * Portable C99, no allocation, no dependency beyond the C standard headers.
 * Copy runemill_font.h and runemill_font.c into a firmware tree and build
 * them with the rest of it. The font stays where it is (flash, ROM, RAM):
 * the reader only keeps a pointer to it and never writes to it.
 *
 * Typical use:
 *
 *     rmf_font font;
 *     rmf_glyph glyph;
 *     uint8_t gray;
 *     if (rmf_open(&font, font_bin, font_bin_size, 0, 0) == RMF_OK &&
 *         rmf_find_glyph(&font, 0xB0A1, &glyph) == RMF_OK) {
 *         for (y = 0; y < glyph.height; ++y)
 *             for (x = 0; x < glyph.width; ++x)
 *                 if (rmf_glyph_pixel(&glyph, x, y, &gray) == RMF_OK)
 *                     lcd_put(left + x, top + y, gray);
 *     }
 *
 * A font that the CPU cannot address (external SPI flash, an SD card) is
 * opened with rmf_open_read and a read function instead; each lookup then
 * reads only its glyph into a buffer of one glyph (rmf_read_glyph):
 *
 *     size_t spi_read(void* ctx, size_t offset, uint8_t* out, size_t n);
 *     uint8_t bits[128];  (at least font.glyph_bytes)
 *     if (rmf_open_read(&font, spi_read, 0, font_length, 0, 0) == RMF_OK &&
 *         rmf_read_glyph(&font, 0xB0A1, &glyph, bits, sizeof bits) == RMF_OK)
 *         ... the same pixel loop ...
 *
 * A compressed file (runemill-cli convert --compress) opens the same way;
 * its glyphs exist only decoded, so look them up with rmf_read_glyph and a
 * buffer of one glyph, from memory or through the read function alike.
 *
 * Every function returns an rmf_status. None of them reads outside the
 * buffer given to rmf_open, or asks the read function for bytes outside the
 * length given to rmf_open_read, whatever bytes the file holds: the length
 * is checked against the header once, when the font is opened, and every
 * later read is bounded by that length.
 *
 * Lookups are arithmetic on the code (no scan), except in a string font,
 * whose code table is searched from its first entry.
 *
 * The reader is not thread-aware and needs none: it keeps no state of its
 * own, and rmf_font / rmf_glyph are plain values the caller owns.
 */
#ifndef RUNEMILL_FONT_H
#define RUNEMILL_FONT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Result of every reader function. */
typedef enum rmf_status {
    RMF_OK = 0,
    /* The code has no glyph in this font (outside its rows or range, a
     * cell that is never stored, absent from a string font's table, or a
     * 108-byte header, which holds no glyphs). */
    RMF_NOT_FOUND,
    /* The buffer ends before the fixed header of its kind (2 bytes for the
     * magic, 9 for a library, ASCII or string font, 108 for a chip or TTF
     * header). */
    RMF_TRUNCATED,
    /* The first two bytes are no known magic (or a string font lacks its
     * 'U','N' at bytes 6 and 7). */
    RMF_BAD_MAGIC,
    /* Pixel format byte above 4, or a cell width or height of 0 in a file
     * with glyphs (pass the true size to rmf_open). */
    RMF_BAD_FORMAT,
    /* The header is readable but the buffer is not exactly as long as the
     * header says (one byte short or one byte long is refused), or the
     * implied length does not fit in a size_t. */
    RMF_BAD_LENGTH,
    /* A NULL pointer, or a cell size override whose low 8 bits differ from
     * the W or H byte of the header. */
    RMF_BAD_ARGUMENT,
    /* A pixel position outside the W x H cell. */
    RMF_OUT_OF_RANGE,
    /* A library's start and end codes are in the wrong order or outside
     * the limits of its encoding (see rmf_open). */
    RMF_BAD_RANGE,
    /* The read function of a font opened with rmf_open_read did not
     * deliver every byte asked for. */
    RMF_READ_ERROR,
    /* A compressed file whose version or flags this reader does not know,
     * or whose index places a glyph outside the file. */
    RMF_CORRUPT
} rmf_status;

/*
 * Read function of a font that is not in addressable memory (SPI or QSPI
 * flash, an SD card, a file): copies the `length` bytes that start at byte
 * `offset` of the font file into `buffer` and returns how many it copied.
 * Any other count than `length` (an error, a short read) ends the call that
 * asked with RMF_READ_ERROR; the bytes in the buffer are then not used. The
 * reader asks only for bytes inside the file (offset + length <= the size
 * given to rmf_open_read) and never for 0 bytes.
 */
typedef size_t (*rmf_read_fn)(void* context, size_t offset, uint8_t* buffer, size_t length);

/* What a file holds, told by its first two bytes. */
typedef enum rmf_kind {
    RMF_KIND_NONE = 0,
    RMF_KIND_GB2312,  /* "GB": ASCII block + 94 cells (A1..FE) per row */
    RMF_KIND_BIG5,    /* "BG": ASCII block + 160 cells per row */
    RMF_KIND_GBK,     /* "GK": ASCII block + 190 cells per row */
    RMF_KIND_UNICODE, /* "un": ASCII block + width byte + glyph per code */
    RMF_KIND_ASCII,   /* "AS": the ASCII block alone */
    RMF_KIND_STRING,  /* "SS": code table + width byte + glyph per code */
    RMF_KIND_CHIP,    /* "ZQ": 108-byte font-chip header, no glyphs */
    RMF_KIND_TTF      /* "TF": 108-byte TTF file header, no glyphs */
} rmf_kind;

/* Pixel format, the value of header byte 8. */
typedef enum rmf_format {
    RMF_FORMAT_1BIT = 0,    /* 8 pixels a byte */
    RMF_FORMAT_2BIT = 1,    /* 4 pixels a byte */
    RMF_FORMAT_4BIT = 2,    /* 2 pixels a byte */
    RMF_FORMAT_8BIT = 3,    /* 1 pixel a byte */
    RMF_FORMAT_ARGB4444 = 4 /* 1 pixel in 2 bytes, low byte first */
} rmf_format;

/* ---- The numbers of the file formats (docs/file-formats.md says the same
 * in words). The writer uses these names too, so a number is written once. */

/* Every library and the ASCII font open with a 9-byte header, then 95
 * width bytes (9..103), then the 95 glyphs of 0x20..0x7E from byte 104. */
#define RMF_LIB_HEADER 9u
#define RMF_ASCII_WIDTHS 9u
#define RMF_ASCII_GLYPHS 104u
#define RMF_ASCII_FIRST 0x20u
#define RMF_ASCII_LAST 0x7Eu
#define RMF_ASCII_COUNT 95u

/* The chip and TTF headers are 108 bytes, filled with 0xFF where unused. */
#define RMF_CHIP_SIZE 108u
#define RMF_CHIP_TEXT 9u
#define RMF_CHIP_TEXT_FIELD 17u
#define RMF_CHIP_FLAGS 26u
#define RMF_CHIP_POINT_SIZE 27u
#define RMF_CHIP_X0 28u
#define RMF_CHIP_Y0 29u
#define RMF_CHIP_FAMILY 32u
#define RMF_CHIP_FAMILY_FIELD 76u

/* Cells per row of the two-byte encodings. GB2312 stores A1..FE; BIG5
 * stores 40..7F and A0..FF (80..9F are never trail bytes); GBK stores
 * 40..7E and 80..FE (7F and FF are never trail bytes). */
#define RMF_GB2312_CELLS 94u
#define RMF_BIG5_CELLS 160u
#define RMF_GBK_CELLS 190u

/* The highest level a pixel holds, by format: 1bits 1, 2bits 3, 4bits 15,
 * 8bits 255, aRGB4444 15 (its four nibbles hold one gray nibble). */
#define RMF_FORMAT_MAX_LEVELS \
    { 1u, 3u, 15u, 255u, 15u }

/* A compressed file: "RZ", version 2, the index's length form (0, 1, 2), the
 * model's grid (gx << 4 | gy), the plain file's 9-byte header (bytes 5..13),
 * then from byte 14 the model, the ASCII widths or the code table, the index
 * and the codes. */
#define RMF_RZ_MAGIC_0 'R'
#define RMF_RZ_MAGIC_1 'Z'
#define RMF_RZ_VERSION 2u
#define RMF_RZ_VERSION_AT 2u
#define RMF_RZ_FORM_AT 3u
#define RMF_RZ_GRID_AT 4u
#define RMF_RZ_PLAIN_AT 5u
#define RMF_RZ_HEADER 14u /* where the model starts */
#define RMF_RZ_LAST_FORM 2u
/* The grid's bands: at most 16 a side and 64 in all (gx, gy <= 4, gx + gy <= 6). */
#define RMF_RZ_MAX_GRID_SHIFT 4u
#define RMF_RZ_MAX_GRID_SHIFTS 6u
/* An index entry per 16 glyphs: a 4-byte offset into the codes, a base of 1
 * byte (form 0) or 2, the 16 lengths over the base in 4, 8 or 16 bits (8 << form
 * bytes), then in Unicode and string fonts the 16 width bytes. */
#define RMF_RZ_BLOCK 16u
#define RMF_RZ_OFFSET_BYTES 4u
/* Contexts of the model: 64 neighbour patterns in each of the grid's
 * 2^(gx + gy) bands, then 64 for the levels of gray formats. */
#define RMF_RZ_NEIGHBOUR_PATTERNS 64u
#define RMF_RZ_LEVEL_CONTEXTS 64u
/* The binary arithmetic coder: 12-bit probabilities; P(decision = 0) in
 * 1/4096 of each of the 16 model values (logit-spaced). */
#define RMF_RZ_PROBABILITY_BITS 12u
#define RMF_RZ_PROBABILITIES                                                                      \
    {                                                                                             \
        10u, 41u, 110u, 233u, 446u, 745u, 1184u, 1744u, 2352u, 2912u, 3351u, 3650u, 3863u, 3986u, \
            4055u, 4086u                                                                          \
    }

/* Style flag bits of a chip or TTF header (rmf_header_info.flags). The
 * writer always sets bit 7 (0x80). */
#define RMF_FLAG_ITALIC 0x01u
#define RMF_FLAG_UNDERLINE 0x02u
#define RMF_FLAG_BOLD 0x04u

/* Room in the rmf_font for the model of a compressed file opened with
 * rmf_open_read: by default the largest model (4160 contexts, 4 bits each).
 * A font in memory (rmf_open) is decoded with the model in place, so a
 * firmware that opens compressed files only that way can build with
 * -DRMF_MODEL_BYTES=1; rmf_open_read then refuses a compressed file whose
 * model does not fit with RMF_BAD_ARGUMENT. A firmware that reads plain
 * files only can build with -DRMF_NO_COMPRESSED: compressed files are then
 * refused (RMF_BAD_MAGIC), the decoder is left out and the rmf_font keeps no
 * room for a model. */
#ifdef RMF_NO_COMPRESSED
#undef RMF_MODEL_BYTES
#define RMF_MODEL_BYTES 1u
#elif !defined(RMF_MODEL_BYTES)
#define RMF_MODEL_BYTES 2080u
#endif

/* An opened font. Filled by rmf_open or rmf_open_read; treat every field
 * as read-only. */
typedef struct rmf_font {
    const uint8_t* data; /* the whole file (rmf_open), else NULL */
    rmf_read_fn read;    /* its read function (rmf_open_read), else NULL */
    void* context;       /* passed to read as it is */
    size_t size;         /* its length in bytes */
    rmf_kind kind;
    rmf_format format;
    unsigned width;      /* true cell width W (override or header byte) */
    unsigned height;     /* true cell height H */
    uint16_t start_code; /* header bytes 4-5 (libraries, chip headers) */
    uint16_t end_code;   /* header bytes 6-7 */
    size_t glyph_bytes;  /* bytes of one packed glyph; 0 for headers */
    size_t row_bytes;    /* bytes of one packed glyph row */
    size_t code_count;   /* glyphs after the ASCII block: whole rows for
                          * GB2312/BIG5/GBK, end - start + 1 for Unicode,
                          * the stored count for a string font, 0 else */
    size_t records;      /* offset of the first glyph after the ASCII
                          * block (string font: of its first record) */
    size_t table_at;     /* the string font's code table */
    size_t widths_at;    /* the ASCII block's 95 width bytes; 0: none */
    /* A compressed file ("RZ", docs/file-formats.md): */
    uint8_t compressed;             /* 1 for a compressed file */
    size_t plain_size;              /* length of the plain file (= size when plain) */
    uint8_t length_form;            /* the index's lengths: a base plus a
                                     * nibble (0), byte (1) or 2 bytes (2) */
    uint8_t index_widths;           /* 1 when the index holds each glyph's width */
    uint8_t grid_x, grid_y;         /* the model's bands: 2^grid_x x 2^grid_y */
    size_t entry_bytes;             /* bytes of an index entry (16 glyphs) */
    size_t index_at;                /* the index */
    size_t data_at;                 /* the coded glyphs */
    uint8_t model[RMF_MODEL_BYTES]; /* the model of a compressed file opened
                                     * with rmf_open_read (read at open) */
} rmf_font;

/* One glyph found by rmf_find_glyph (it points into the font's buffer) or
 * rmf_read_glyph (it points into the caller's glyph buffer). */
typedef struct rmf_glyph {
    const uint8_t* bits; /* the packed glyph: rows top to bottom */
    size_t size;         /* its bytes (= font.glyph_bytes) */
    size_t row_bytes;    /* bytes per packed row */
    unsigned width;      /* W */
    unsigned height;     /* H */
    rmf_format format;
    uint16_t code;          /* the code that was looked up */
    uint8_t has_width_byte; /* 1 when the file stores a width for it */
    uint8_t width_byte;     /* that width (inked width; for the space of an
                             * ASCII block the space width), else 0 */
} rmf_glyph;

/* The fields of a 108-byte chip ("ZQ") or TTF ("TF") header beyond those
 * already in rmf_font (W, H, start and end code, format). */
typedef struct rmf_header_info {
    uint8_t flags;         /* byte 26: 0x80 | RMF_FLAG_* bits */
    uint8_t point_size;    /* byte 27, low 8 bits of the point size */
    int8_t x0;             /* byte 28, horizontal drawing offset */
    int8_t y0;             /* byte 29, vertical drawing offset */
    const uint8_t* text;   /* bytes 9..: part number or header text */
    size_t text_length;    /* bytes before its 0x00 (at most 17) */
    const uint8_t* family; /* bytes 32..: font family name, GBK bytes */
    size_t family_length;  /* bytes before its 0x00 (at most 76) */
} rmf_header_info;

/*
 * Opens the font held in data[0 .. size-1] and checks it:
 *  - the magic (bytes 0 and 1) names one of the kinds above;
 *  - the pixel format (byte 8) is 0 to 4;
 *  - the code range of a library fits its encoding: GB2312 A1A0..F7FE,
 *    BIG5 A140..F9FF, GBK 8140..FEFE, start <= end (Unicode: start <= end);
 *  - the length is exactly what the header implies.
 *
 * W and H are stored as their low 8 bits only. For a cell of 256 pixels or
 * more, pass the true size in cell_w_override / cell_h_override; 0 takes the
 * header byte. An override must agree with the header byte in its low 8
 * bits, else RMF_BAD_ARGUMENT.
 *
 * A string font stores its count modulo 65536: a string font of more than
 * 65535 codes cannot be validated and is refused with RMF_BAD_LENGTH.
 *
 * A chip or TTF header must be exactly 108 bytes. Those commands append to
 * an existing file, so a file can hold several headers one after another:
 * open each one at data + 108 * k with size 108.
 *
 * A compressed file ("RZ", docs/file-formats.md) of any of the glyph kinds
 * opens as that kind with font->compressed set: its version and flags must be
 * known (else RMF_CORRUPT), its inner header passes the checks above and the
 * file must reach past its index (else RMF_BAD_LENGTH).
 *
 * On failure *font is left with kind RMF_KIND_NONE.
 */
rmf_status rmf_open(rmf_font* font, const uint8_t* data, size_t size, unsigned cell_w_override,
                    unsigned cell_h_override);

/*
 * Finds the glyph of a code.
 *  - 0x20..0x7E: the ASCII block of every library and of the ASCII font,
 *    with its width byte. For a Unicode library whose range also covers
 *    these codes, the ASCII block wins.
 *  - GB2312: rows start row..end row (high bytes of the header codes),
 *    cells A1..FE. Whole rows are stored, so every cell of a stored row is
 *    found, also outside the exact start and end codes. No width byte.
 *  - BIG5: cells 40..7F and A0..FF (160 a row). No width byte.
 *  - GBK: cells 40..7E and 80..FE (190 a row). No width byte.
 *  - Unicode: start code..end code, with the record's width byte.
 *  - String font: first entry of the code table equal to the code, with
 *    the record's width byte. ASCII codes are found only through the table.
 *  - Chip and TTF headers: always RMF_NOT_FOUND.
 * A font of rmf_open_read has no buffer to point into, nor has a compressed
 * font: RMF_BAD_ARGUMENT (use rmf_read_glyph).
 */
rmf_status rmf_find_glyph(const rmf_font* font, uint16_t code, rmf_glyph* glyph);

/*
 * Opens a font that the reader reaches only through `read` (see rmf_read_fn):
 * `size` is the length of the file, which has the same checks as the length
 * given to rmf_open, and the overrides are those of rmf_open.
 *
 * Reads once: the first 9 bytes of the file (fewer when the file is shorter;
 * nothing when it is shorter than 2 bytes). The rmf_font keeps what it needs
 * of them; nothing else is kept and the read function is not called again
 * until a lookup. A compressed file costs two more reads: bytes 9-13, then
 * its model, which the rmf_font keeps. RAM: the rmf_font (2,160 bytes with
 * arm-none-eabi-gcc, 84 when built with RMF_NO_COMPRESSED or
 * RMF_MODEL_BYTES=1) and, during the call, a 14-byte buffer on the stack.
 * A compressed file whose model does not fit the rmf_font (a reader built
 * with a smaller RMF_MODEL_BYTES) gives RMF_BAD_ARGUMENT. On failure *font
 * is left with kind RMF_KIND_NONE.
 */
rmf_status rmf_open_read(rmf_font* font, rmf_read_fn read, void* context, size_t size,
                         unsigned cell_w_override, unsigned cell_h_override);

/*
 * Finds the glyph of a code as rmf_find_glyph does and copies its bytes into
 * buffer, which must hold at least font->glyph_bytes bytes (else
 * RMF_BAD_ARGUMENT); glyph->bits then points to buffer. Works on fonts of
 * rmf_open (a copy) and of rmf_open_read (reads).
 *
 * Reads of a font of rmf_open_read, all from the glyph's own place:
 *  - libraries' rows (GB2312, BIG5, GBK): one read of S = font->glyph_bytes;
 *  - ASCII block, Unicode and string records: one read of the width byte,
 *    then one of S bytes;
 *  - a string font first reads its code table in chunks of up to 32 bytes
 *    (16 codes) from its start, until the code is found or the table ends:
 *    a code at table entry i costs i / 16 + 1 reads of the table;
 *  - a code that the font's header rules out costs no read at all;
 *  - a compressed glyph: the 4-byte offset of its index entry, the entry's
 *    lengths (and widths) up to its own in reads of up to 32 bytes, its code
 *    in reads of up to 16 bytes and, for the ASCII block of a library, its
 *    width byte. It is decoded into buffer, also for a font of rmf_open.
 * RAM: the caller's buffer of S bytes; the stack holds a 32-byte table chunk
 * (at most 240 bytes of stack in all on a Cortex-M3, decoding included).
 * On failure *glyph is zeroed (except for RMF_BAD_ARGUMENT) and buffer may
 * hold part of the glyph.
 */
rmf_status rmf_read_glyph(const rmf_font* font, uint16_t code, rmf_glyph* glyph, uint8_t* buffer,
                          size_t buffer_size);

/*
 * Gray level 0 (background) to 255 (full ink) of pixel (x, y) of a glyph,
 * x < W, y < H, from the stored value v:
 *   1bits: v ? 255 : 0      2bits: v * 0x55      4bits: v * 0x11
 *   8bits: v                aRGB4444: (11 R + 16 G + 5 B) >> 5 on the
 *                           channels widened to 8 bits (r * 0x11 ...);
 *                           alpha is ignored. Runemill writes the same
 *                           nibble n in all four places, giving n * 0x11.
 * Positions outside the cell, padding bits included, give RMF_OUT_OF_RANGE.
 */
rmf_status rmf_glyph_pixel(const rmf_glyph* glyph, unsigned x, unsigned y, uint8_t* gray);

/*
 * The stored value of pixel (x, y): 0..1, 0..3, 0..15, 0..255, or for
 * aRGB4444 the 16-bit value (alpha in bits 15-12, red 11-8, green 7-4,
 * blue 3-0).
 */
rmf_status rmf_glyph_raw(const rmf_glyph* glyph, unsigned x, unsigned y, uint16_t* raw);

/* Reads the extra fields of a chip or TTF header; RMF_BAD_ARGUMENT for any
 * other kind and for a header opened with rmf_open_read. The text pointers
 * point into the font's buffer and are not 0-terminated when a field holds
 * no 0x00. */
rmf_status rmf_header_fields(const rmf_font* font, rmf_header_info* info);

/* A short English name of a status ("RMF_OK", ...), for logs. */
const char* rmf_status_name(rmf_status status);

#ifdef __cplusplus
}
#endif

#endif /* RUNEMILL_FONT_H */
