/* SPDX-FileCopyrightText: 2026 The Runemill authors
 * SPDX-License-Identifier: MIT */
/*
 * runemill_font.c - reader of Runemill .bin font files. See runemill_font.h.
 */
#include "runemill_font.h"

#include <string.h>

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

static uint16_t read_le16(const uint8_t* p) {
    return (uint16_t)((unsigned)p[0] | ((unsigned)p[1] << 8));
}

/* a * b, or 0 with *ok cleared when it does not fit in a size_t. */
static size_t mul_size(size_t a, size_t b, int* ok) {
    if (a != 0 && b > (size_t)-1 / a) {
        *ok = 0;
        return 0;
    }
    return a * b;
}

static size_t add_size(size_t a, size_t b, int* ok) {
    if (b > (size_t)-1 - a) {
        *ok = 0;
        return 0;
    }
    return a + b;
}

/* Bytes of one packed row: ceil(W / pixels per byte), or 2 W. */
static size_t row_bytes_of(rmf_format format, unsigned w, int* ok) {
    switch (format) {
        case RMF_FORMAT_1BIT:
            return (size_t)(w / 8u) + (w % 8u != 0u);
        case RMF_FORMAT_2BIT:
            return (size_t)(w / 4u) + (w % 4u != 0u);
        case RMF_FORMAT_4BIT:
            return (size_t)(w / 2u) + (w % 2u != 0u);
        case RMF_FORMAT_8BIT:
            return (size_t)w;
        case RMF_FORMAT_ARGB4444:
            return mul_size((size_t)w, 2u, ok);
    }
    *ok = 0;
    return 0;
}

static rmf_kind kind_of_magic(uint8_t a, uint8_t b) {
    if (a == 'G' && b == 'B') return RMF_KIND_GB2312;
    if (a == 'B' && b == 'G') return RMF_KIND_BIG5;
    if (a == 'G' && b == 'K') return RMF_KIND_GBK;
    if (a == 'u' && b == 'n') return RMF_KIND_UNICODE;
    if (a == 'A' && b == 'S') return RMF_KIND_ASCII;
    if (a == 'S' && b == 'S') return RMF_KIND_STRING;
    if (a == 'Z' && b == 'Q') return RMF_KIND_CHIP;
    if (a == 'T' && b == 'F') return RMF_KIND_TTF;
    return RMF_KIND_NONE;
}

/* Code limits that the writer enforces for each two-byte library. */
static int range_fits(rmf_kind kind, uint16_t start, uint16_t end) {
    if (start > end) return 0;
    switch (kind) {
        case RMF_KIND_GB2312:
            return start >= 0xA1A0u && end <= 0xF7FEu;
        case RMF_KIND_BIG5:
            return start >= 0xA140u && end <= 0xF9FFu;
        case RMF_KIND_GBK:
            return start >= 0x8140u && end <= 0xFEFEu;
        default:
            return 1;
    }
}

static unsigned cells_per_row(rmf_kind kind) {
    switch (kind) {
        case RMF_KIND_GB2312:
            return RMF_GB2312_CELLS;
        case RMF_KIND_BIG5:
            return RMF_BIG5_CELLS;
        case RMF_KIND_GBK:
            return RMF_GBK_CELLS;
        default:
            return 0;
    }
}

/* Slot of a trail byte within its row, or -1 when the row does not store
 * that cell. */
static int slot_of_cell(rmf_kind kind, unsigned cell) {
    switch (kind) {
        case RMF_KIND_GB2312:
            if (cell >= 0xA1u && cell <= 0xFEu) return (int)(cell - 0xA1u);
            return -1;
        case RMF_KIND_BIG5:
            if (cell >= 0x40u && cell <= 0x7Fu) return (int)(cell - 0x40u);
            if (cell >= 0xA0u && cell <= 0xFFu) return (int)(cell - 0xA0u + 64u);
            return -1;
        case RMF_KIND_GBK:
            if (cell >= 0x40u && cell <= 0x7Eu) return (int)(cell - 0x40u);
            if (cell >= 0x80u && cell <= 0xFEu) return (int)(cell - 0x41u);
            return -1;
        default:
            return -1;
    }
}

/* A W or H byte of 0 stands for a multiple of 256 that only the caller
 * knows; a file with glyphs cannot be read without it. The 108-byte headers
 * hold no glyphs and report the byte as it is. */
static rmf_status cell_size(unsigned header_byte, unsigned override_size, int has_glyphs,
                            unsigned* out) {
    if (override_size != 0u) {
        if ((override_size & 0xFFu) != header_byte) return RMF_BAD_ARGUMENT;
        *out = override_size;
    } else {
        *out = header_byte;
    }
    return (*out == 0u && has_glyphs) ? RMF_BAD_FORMAT : RMF_OK;
}

/* Length implied by the header of font (kind, glyph sizes and counts
 * already filled in); *ok is cleared on overflow. */
static size_t expected_length(const rmf_font* font, int* ok) {
    size_t s = font->glyph_bytes;
    size_t ascii_end = add_size(RMF_ASCII_GLYPHS, mul_size(RMF_ASCII_COUNT, s, ok), ok);
    switch (font->kind) {
        case RMF_KIND_GB2312:
        case RMF_KIND_BIG5:
        case RMF_KIND_GBK:
            return add_size(ascii_end, mul_size(font->code_count, s, ok), ok);
        case RMF_KIND_UNICODE:
            return add_size(ascii_end, mul_size(font->code_count, add_size(s, 1u, ok), ok), ok);
        case RMF_KIND_ASCII:
            return ascii_end;
        case RMF_KIND_STRING:
            return add_size(RMF_LIB_HEADER, mul_size(font->code_count, add_size(s, 3u, ok), ok),
                            ok);
        default:
            return RMF_CHIP_SIZE;
    }
}

static rmf_status open_checked(rmf_font* font, const uint8_t* data, size_t size, unsigned w_over,
                               unsigned h_over) {
    rmf_kind kind;
    rmf_status status;
    int ok = 1;
    int has_glyphs;
    size_t expected;

    if (size < 2u) return RMF_TRUNCATED;
    kind = kind_of_magic(data[0], data[1]);
    if (kind == RMF_KIND_NONE) return RMF_BAD_MAGIC;
    has_glyphs = kind != RMF_KIND_CHIP && kind != RMF_KIND_TTF;
    if (size < (has_glyphs ? RMF_LIB_HEADER : RMF_CHIP_SIZE)) return RMF_TRUNCATED;
    if (kind == RMF_KIND_STRING && (data[6] != 'U' || data[7] != 'N')) return RMF_BAD_MAGIC;
    if (data[8] > RMF_FORMAT_ARGB4444) return RMF_BAD_FORMAT;

    font->format = (rmf_format)data[8];
    status = cell_size(data[2], w_over, has_glyphs, &font->width);
    if (status != RMF_OK) return status;
    status = cell_size(data[3], h_over, has_glyphs, &font->height);
    if (status != RMF_OK) return status;

    if (kind == RMF_KIND_STRING) {
        font->code_count = read_le16(data + 4);
    } else {
        font->start_code = read_le16(data + 4);
        font->end_code = read_le16(data + 6);
    }

    if (has_glyphs) {
        font->row_bytes = row_bytes_of(font->format, font->width, &ok);
        font->glyph_bytes = mul_size(font->row_bytes, font->height, &ok);
        if (!ok) return RMF_BAD_LENGTH;
    }

    switch (kind) {
        case RMF_KIND_GB2312:
        case RMF_KIND_BIG5:
        case RMF_KIND_GBK:
            if (!range_fits(kind, font->start_code, font->end_code)) return RMF_BAD_RANGE;
            font->code_count = (size_t)((font->end_code >> 8) - (font->start_code >> 8) + 1u) *
                               cells_per_row(kind);
            break;
        case RMF_KIND_UNICODE:
            if (font->start_code > font->end_code) return RMF_BAD_RANGE;
            font->code_count = (size_t)font->end_code - font->start_code + 1u;
            break;
        default:
            break;
    }

    font->kind = kind;
    expected = expected_length(font, &ok);
    if (!ok || expected != size) {
        font->kind = RMF_KIND_NONE;
        return RMF_BAD_LENGTH;
    }
    if (kind == RMF_KIND_STRING) {
        font->records = RMF_LIB_HEADER + 2u * font->code_count;
    } else if (has_glyphs) {
        font->records = RMF_ASCII_GLYPHS + RMF_ASCII_COUNT * font->glyph_bytes;
    }
    return RMF_OK;
}

/* Opens from the first bytes of the file (at least 9, or all of a shorter
 * file): every check of rmf_open needs only those and the length. */
static rmf_status open_head(rmf_font* font, const uint8_t* head, size_t size, unsigned w_over,
                            unsigned h_over) {
    rmf_status status = open_checked(font, head, size, w_over, h_over);
    if (status != RMF_OK) {
        memset(font, 0, sizeof *font);
        return status;
    }
    font->size = size;
    return RMF_OK;
}

rmf_status rmf_open(rmf_font* font, const uint8_t* data, size_t size, unsigned cell_w_override,
                    unsigned cell_h_override) {
    rmf_status status;
    if (font == NULL) return RMF_BAD_ARGUMENT;
    memset(font, 0, sizeof *font);
    if (data == NULL) return RMF_BAD_ARGUMENT;
    status = open_head(font, data, size, cell_w_override, cell_h_override);
    if (status == RMF_OK) font->data = data;
    return status;
}

rmf_status rmf_open_read(rmf_font* font, rmf_read_fn read, void* context, size_t size,
                         unsigned cell_w_override, unsigned cell_h_override) {
    uint8_t head[RMF_LIB_HEADER];
    size_t length = size < sizeof head ? size : sizeof head;
    rmf_status status;
    if (font == NULL) return RMF_BAD_ARGUMENT;
    memset(font, 0, sizeof *font);
    if (read == NULL) return RMF_BAD_ARGUMENT;
    if (size < 2u) return RMF_TRUNCATED;
    if (read(context, 0, head, length) != length) return RMF_READ_ERROR;
    status = open_head(font, head, size, cell_w_override, cell_h_override);
    if (status == RMF_OK) {
        font->read = read;
        font->context = context;
    }
    return status;
}

/* Points *out at `length` bytes of the file from `offset`: in place for a
 * font in memory, else read into scratch. The bounds check also guards
 * against a hand-edited rmf_font. */
static rmf_status fetch(const rmf_font* font, size_t offset, size_t length, uint8_t* scratch,
                        const uint8_t** out) {
    if (offset > font->size || font->size - offset < length) return RMF_NOT_FOUND;
    if (font->data != NULL) {
        *out = font->data + offset;
        return RMF_OK;
    }
    if (font->read(font->context, offset, scratch, length) != length) return RMF_READ_ERROR;
    *out = scratch;
    return RMF_OK;
}

/* Bytes of the string font's code table read at a time. */
#define RMF_TABLE_CHUNK 32u

/* Offsets of the glyph of code and of its width byte (0: the file stores
 * none; offset 0 is the magic, never a width byte). */
static rmf_status locate(const rmf_font* font, uint16_t code, size_t* bits, size_t* width_at) {
    size_t s = font->glyph_bytes;
    size_t slot;

    switch (font->kind) {
        case RMF_KIND_GB2312:
        case RMF_KIND_BIG5:
        case RMF_KIND_GBK:
        case RMF_KIND_UNICODE:
        case RMF_KIND_ASCII:
            if (code >= RMF_ASCII_FIRST && code <= RMF_ASCII_LAST) {
                slot = code - RMF_ASCII_FIRST;
                *bits = RMF_ASCII_GLYPHS + slot * s;
                *width_at = RMF_ASCII_WIDTHS + slot;
                return RMF_OK;
            }
            break;
        case RMF_KIND_STRING: {
            /* The table keeps each code once, at its first occurrence;
             * searching from the start also returns the first entry of a
             * hand-made table that repeats a code. */
            uint8_t chunk[RMF_TABLE_CHUNK];
            size_t i = 0;
            while (i < font->code_count) {
                const uint8_t* table;
                size_t k, n = font->code_count - i;
                rmf_status status;
                if (n > RMF_TABLE_CHUNK / 2u) n = RMF_TABLE_CHUNK / 2u;
                status = fetch(font, RMF_LIB_HEADER + 2u * i, 2u * n, chunk, &table);
                if (status != RMF_OK) return status;
                for (k = 0; k < n; ++k, ++i) {
                    if (read_le16(table + 2u * k) == code) {
                        *width_at = font->records + i * (s + 1u);
                        *bits = *width_at + 1u;
                        return RMF_OK;
                    }
                }
            }
            return RMF_NOT_FOUND;
        }
        default:
            return RMF_NOT_FOUND;
    }

    switch (font->kind) {
        case RMF_KIND_GB2312:
        case RMF_KIND_BIG5:
        case RMF_KIND_GBK: {
            unsigned row = (unsigned)code >> 8;
            unsigned first_row = (unsigned)font->start_code >> 8;
            unsigned last_row = (unsigned)font->end_code >> 8;
            int cell_slot = slot_of_cell(font->kind, code & 0xFFu);
            if (row < first_row || row > last_row || cell_slot < 0) return RMF_NOT_FOUND;
            slot = (size_t)(row - first_row) * cells_per_row(font->kind) + (size_t)cell_slot;
            if (slot >= font->code_count) return RMF_NOT_FOUND;
            *bits = font->records + slot * s;
            *width_at = 0;
            return RMF_OK;
        }
        case RMF_KIND_UNICODE:
            if (code < font->start_code || code > font->end_code) return RMF_NOT_FOUND;
            *width_at = font->records + (size_t)(code - font->start_code) * (s + 1u);
            *bits = *width_at + 1u;
            return RMF_OK;
        default:
            return RMF_NOT_FOUND;
    }
}

/* rmf_find_glyph (buffer NULL: point into the font) and rmf_read_glyph
 * (buffer of at least glyph_bytes). Four arguments keep both calls free of
 * stack-passed arguments. */
static rmf_status find(const rmf_font* font, uint16_t code, rmf_glyph* glyph, uint8_t* buffer) {
    size_t bits_at = 0;
    size_t width_at = 0;
    const uint8_t* bits = NULL;
    const uint8_t* width = NULL;
    uint8_t width_byte = 0;
    rmf_status status;
    if (font == NULL || glyph == NULL) return RMF_BAD_ARGUMENT;
    memset(glyph, 0, sizeof *glyph);
    if (font->data == NULL && (buffer == NULL || font->read == NULL)) return RMF_BAD_ARGUMENT;

    status = locate(font, code, &bits_at, &width_at);
    if (status == RMF_OK && width_at != 0u) status = fetch(font, width_at, 1u, &width_byte, &width);
    if (status == RMF_OK) status = fetch(font, bits_at, font->glyph_bytes, buffer, &bits);
    if (status != RMF_OK) return status;
    if (buffer != NULL) {
        if (bits != buffer) memcpy(buffer, bits, font->glyph_bytes);
        bits = buffer;
    }
    glyph->bits = bits;
    glyph->size = font->glyph_bytes;
    glyph->row_bytes = font->row_bytes;
    glyph->width = font->width;
    glyph->height = font->height;
    glyph->format = font->format;
    glyph->code = code;
    glyph->has_width_byte = (uint8_t)(width != NULL);
    glyph->width_byte = width != NULL ? *width : 0u;
    return RMF_OK;
}

rmf_status rmf_find_glyph(const rmf_font* font, uint16_t code, rmf_glyph* glyph) {
    return find(font, code, glyph, NULL);
}

rmf_status rmf_read_glyph(const rmf_font* font, uint16_t code, rmf_glyph* glyph, uint8_t* buffer,
                          size_t buffer_size) {
    if (font != NULL && (buffer == NULL || buffer_size < font->glyph_bytes))
        return RMF_BAD_ARGUMENT;
    return find(font, code, glyph, buffer);
}

rmf_status rmf_glyph_raw(const rmf_glyph* glyph, unsigned x, unsigned y, uint16_t* raw) {
    size_t row;
    size_t at;
    unsigned byte;
    if (glyph == NULL || raw == NULL || glyph->bits == NULL) return RMF_BAD_ARGUMENT;
    if (x >= glyph->width || y >= glyph->height) return RMF_OUT_OF_RANGE;
    /* Unsigned arithmetic wraps rather than traps; the check on "at" keeps
     * every read inside the glyph even for a hand-edited rmf_glyph. */
    row = (size_t)y * glyph->row_bytes;
    switch (glyph->format) {
        case RMF_FORMAT_1BIT:
            at = row + x / 8u;
            if (at >= glyph->size) return RMF_OUT_OF_RANGE;
            *raw = (uint16_t)((glyph->bits[at] >> (7u - x % 8u)) & 0x01u);
            return RMF_OK;
        case RMF_FORMAT_2BIT:
            at = row + x / 4u;
            if (at >= glyph->size) return RMF_OUT_OF_RANGE;
            *raw = (uint16_t)((glyph->bits[at] >> (6u - 2u * (x % 4u))) & 0x03u);
            return RMF_OK;
        case RMF_FORMAT_4BIT:
            at = row + x / 2u;
            if (at >= glyph->size) return RMF_OUT_OF_RANGE;
            byte = glyph->bits[at];
            *raw = (uint16_t)((x % 2u == 0u) ? (byte >> 4) : (byte & 0x0Fu));
            return RMF_OK;
        case RMF_FORMAT_8BIT:
            at = row + x;
            if (at >= glyph->size) return RMF_OUT_OF_RANGE;
            *raw = glyph->bits[at];
            return RMF_OK;
        case RMF_FORMAT_ARGB4444:
            at = row + 2u * (size_t)x;
            if (at >= glyph->size || glyph->size - at < 2u) return RMF_OUT_OF_RANGE;
            *raw = read_le16(glyph->bits + at);
            return RMF_OK;
    }
    return RMF_BAD_ARGUMENT;
}

rmf_status rmf_glyph_pixel(const rmf_glyph* glyph, unsigned x, unsigned y, uint8_t* gray) {
    uint16_t v = 0;
    rmf_status status;
    if (gray == NULL) return RMF_BAD_ARGUMENT;
    status = rmf_glyph_raw(glyph, x, y, &v);
    if (status != RMF_OK) return status;
    switch (glyph->format) {
        case RMF_FORMAT_1BIT:
            *gray = v ? 255u : 0u;
            break;
        case RMF_FORMAT_2BIT:
            *gray = (uint8_t)(v * 0x55u);
            break;
        case RMF_FORMAT_4BIT:
            *gray = (uint8_t)(v * 0x11u);
            break;
        case RMF_FORMAT_8BIT:
            *gray = (uint8_t)v;
            break;
        case RMF_FORMAT_ARGB4444: {
            unsigned r = ((v >> 8) & 0x0Fu) * 0x11u;
            unsigned g = ((v >> 4) & 0x0Fu) * 0x11u;
            unsigned b = (v & 0x0Fu) * 0x11u;
            *gray = (uint8_t)((11u * r + 16u * g + 5u * b) >> 5);
            break;
        }
    }
    return RMF_OK;
}

/* Bytes before the first 0x00 of a field, or the whole field. */
static size_t field_length(const uint8_t* field, size_t field_size) {
    const void* nul = memchr(field, 0, field_size);
    return nul ? (size_t)((const uint8_t*)nul - field) : field_size;
}

rmf_status rmf_header_fields(const rmf_font* font, rmf_header_info* info) {
    const uint8_t* d;
    if (font == NULL || info == NULL || font->data == NULL) return RMF_BAD_ARGUMENT;
    if ((font->kind != RMF_KIND_CHIP && font->kind != RMF_KIND_TTF) || font->size < RMF_CHIP_SIZE)
        return RMF_BAD_ARGUMENT;
    d = font->data;
    info->flags = d[RMF_CHIP_FLAGS];
    info->point_size = d[RMF_CHIP_POINT_SIZE];
    /* Stored as two's complement low bytes; convert without relying on
     * implementation-defined narrowing. */
    info->x0 = (int8_t)(d[RMF_CHIP_X0] < 128u ? d[RMF_CHIP_X0] : (int)d[RMF_CHIP_X0] - 256);
    info->y0 = (int8_t)(d[RMF_CHIP_Y0] < 128u ? d[RMF_CHIP_Y0] : (int)d[RMF_CHIP_Y0] - 256);
    info->text = d + RMF_CHIP_TEXT;
    info->text_length = field_length(info->text, RMF_CHIP_TEXT_FIELD);
    info->family = d + RMF_CHIP_FAMILY;
    info->family_length = field_length(info->family, RMF_CHIP_FAMILY_FIELD);
    return RMF_OK;
}

const char* rmf_status_name(rmf_status status) {
    switch (status) {
        case RMF_OK:
            return "RMF_OK";
        case RMF_NOT_FOUND:
            return "RMF_NOT_FOUND";
        case RMF_TRUNCATED:
            return "RMF_TRUNCATED";
        case RMF_BAD_MAGIC:
            return "RMF_BAD_MAGIC";
        case RMF_BAD_FORMAT:
            return "RMF_BAD_FORMAT";
        case RMF_BAD_LENGTH:
            return "RMF_BAD_LENGTH";
        case RMF_BAD_ARGUMENT:
            return "RMF_BAD_ARGUMENT";
        case RMF_OUT_OF_RANGE:
            return "RMF_OUT_OF_RANGE";
        case RMF_BAD_RANGE:
            return "RMF_BAD_RANGE";
        case RMF_READ_ERROR:
            return "RMF_READ_ERROR";
    }
    return "RMF_UNKNOWN";
}
