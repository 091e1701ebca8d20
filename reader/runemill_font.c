/* SPDX-FileCopyrightText: 2026 The Runemill authors
 * SPDX-License-Identifier: MIT */
/*
 * runemill_font.c - reader of Runemill .bin font files. See runemill_font.h.
 */
#include "runemill_font.h"

#include <string.h>

/* Built with -DRMF_NO_COMPRESSED, the reader refuses compressed files
 * (RMF_BAD_MAGIC) and leaves their decoder out. */
#ifdef RMF_NO_COMPRESSED
#define RMF_COMPRESSED 0
#else
#define RMF_COMPRESSED 1
#endif

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
                               unsigned h_over, int compressed) {
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

    if (compressed) return has_glyphs ? RMF_OK : RMF_BAD_MAGIC;
    font->kind = kind;
    expected = expected_length(font, &ok);
    if (!ok || expected != size) {
        font->kind = RMF_KIND_NONE;
        return RMF_BAD_LENGTH;
    }
    font->table_at = RMF_LIB_HEADER;
    font->plain_size = size;
    if (kind == RMF_KIND_STRING) {
        font->records = RMF_LIB_HEADER + 2u * font->code_count;
    } else if (has_glyphs) {
        font->records = RMF_ASCII_GLYPHS + RMF_ASCII_COUNT * font->glyph_bytes;
        font->widths_at = RMF_ASCII_WIDTHS;
    }
    return RMF_OK;
}

static size_t ink_contexts(const rmf_font* font) {
    return (size_t)RMF_RZ_NEIGHBOUR_PATTERNS << (font->grid_x + font->grid_y);
}

static size_t model_bytes(const rmf_font* font) {
    return (ink_contexts(font) + (font->format == RMF_FORMAT_1BIT ? 0u : RMF_RZ_LEVEL_CONTEXTS)) /
           2u;
}

static rmf_status open_compressed(rmf_font* font, const uint8_t* head, size_t size, unsigned w_over,
                                  unsigned h_over) {
    int ok = 1;
    size_t glyphs, tables, at;
    unsigned grid_x, grid_y;
    rmf_status status;
    if (size < RMF_RZ_HEADER) return RMF_TRUNCATED;
    grid_x = head[RMF_RZ_GRID_AT] >> 4;
    grid_y = head[RMF_RZ_GRID_AT] & 15u;
    if (head[RMF_RZ_VERSION_AT] != RMF_RZ_VERSION || head[RMF_RZ_FORM_AT] > RMF_RZ_LAST_FORM ||
        grid_x > RMF_RZ_MAX_GRID_SHIFT || grid_y > RMF_RZ_MAX_GRID_SHIFT ||
        grid_x + grid_y > RMF_RZ_MAX_GRID_SHIFTS)
        return RMF_CORRUPT;
    status = open_checked(font, head + RMF_RZ_PLAIN_AT, RMF_LIB_HEADER, w_over, h_over, 1);
    if (status != RMF_OK) return status;
    font->kind = kind_of_magic(head[RMF_RZ_PLAIN_AT], head[RMF_RZ_PLAIN_AT + 1u]);
    glyphs = font->code_count + (font->kind == RMF_KIND_STRING ? 0u : RMF_ASCII_COUNT);
    font->grid_x = (uint8_t)grid_x;
    font->grid_y = (uint8_t)grid_y;
    font->length_form = head[RMF_RZ_FORM_AT];
    font->index_widths = (uint8_t)(font->kind == RMF_KIND_UNICODE || font->kind == RMF_KIND_STRING);
    at = RMF_RZ_HEADER + model_bytes(font);
    font->table_at = at;
    if (!font->index_widths) font->widths_at = at;
    tables = font->kind == RMF_KIND_STRING ? 2u * font->code_count
                                           : (font->index_widths ? 0u : RMF_ASCII_COUNT);
    font->index_at = at + tables;
    font->entry_bytes = RMF_RZ_OFFSET_BYTES + (head[RMF_RZ_FORM_AT] ? 2u : 1u) +
                        (8u << head[RMF_RZ_FORM_AT]) + RMF_RZ_BLOCK * font->index_widths;
    font->data_at = add_size(
        font->index_at,
        mul_size((glyphs + RMF_RZ_BLOCK - 1u) / RMF_RZ_BLOCK, font->entry_bytes, &ok), &ok);
    font->compressed = 1;
    font->plain_size = expected_length(font, &ok);
    if (!ok || font->data_at > size) {
        font->kind = RMF_KIND_NONE;
        return RMF_BAD_LENGTH;
    }
    return RMF_OK;
}

/* Opens from the first bytes of the file (at least 9, or all of a shorter
 * file): every check of rmf_open needs only those and the length. */
static rmf_status open_head(rmf_font* font, const uint8_t* head, size_t size, unsigned w_over,
                            unsigned h_over) {
    rmf_status status =
        RMF_COMPRESSED && size >= 2u && head[0] == RMF_RZ_MAGIC_0 && head[1] == RMF_RZ_MAGIC_1
            ? open_compressed(font, head, size, w_over, h_over)
            : open_checked(font, head, size, w_over, h_over, 0);
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
    uint8_t head[RMF_RZ_HEADER];
    size_t length = size < RMF_LIB_HEADER ? size : RMF_LIB_HEADER;
    rmf_status status;
    if (font == NULL) return RMF_BAD_ARGUMENT;
    memset(font, 0, sizeof *font);
    if (read == NULL) return RMF_BAD_ARGUMENT;
    if (size < 2u) return RMF_TRUNCATED;
    if (read(context, 0, head, length) != length) return RMF_READ_ERROR;
    /* A compressed file: the rest of its header, then its model. */
    if (RMF_COMPRESSED && head[0] == RMF_RZ_MAGIC_0 && head[1] == RMF_RZ_MAGIC_1 &&
        size >= RMF_RZ_HEADER &&
        read(context, length, head + length, RMF_RZ_HEADER - length) != RMF_RZ_HEADER - length)
        return RMF_READ_ERROR;
    status = open_head(font, head, size, cell_w_override, cell_h_override);
    if (status == RMF_OK) {
        font->read = read;
        font->context = context;
        if (RMF_COMPRESSED && font->compressed) {
            if (model_bytes(font) > RMF_MODEL_BYTES)
                status = RMF_BAD_ARGUMENT;
            else if (read(context, RMF_RZ_HEADER, font->model, model_bytes(font)) !=
                     model_bytes(font))
                status = RMF_READ_ERROR;
            if (status != RMF_OK) memset(font, 0, sizeof *font);
        }
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

/* The one buffer of a lookup, RMF_SCRATCH bytes: the string font's code
 * table goes through it, RMF_TABLE_CODES codes a read; so do a compressed
 * glyph's index entry (at most 4 + 2 + 32 bytes) and then its code. */
#define RMF_SCRATCH 38u
#define RMF_TABLE_CODES 16u

/* The glyph number of code: the ASCII block's 95 glyphs first (libraries
 * and the ASCII font), then the records in file order. */
static rmf_status locate(const rmf_font* font, uint16_t code, size_t* number, uint8_t* chunk) {
    size_t ascii = font->kind == RMF_KIND_STRING ? 0u : RMF_ASCII_COUNT;

    switch (font->kind) {
        case RMF_KIND_GB2312:
        case RMF_KIND_BIG5:
        case RMF_KIND_GBK:
        case RMF_KIND_UNICODE:
        case RMF_KIND_ASCII:
            if (code >= RMF_ASCII_FIRST && code <= RMF_ASCII_LAST) {
                *number = code - RMF_ASCII_FIRST;
                return RMF_OK;
            }
            break;
        case RMF_KIND_STRING: {
            /* The table keeps each code once, at its first occurrence;
             * searching from the start also returns the first entry of a
             * hand-made table that repeats a code. */
            size_t i = 0;
            while (i < font->code_count) {
                const uint8_t* table;
                size_t k, n = font->code_count - i;
                rmf_status status;
                if (n > RMF_TABLE_CODES) n = RMF_TABLE_CODES;
                status = fetch(font, font->table_at + 2u * i, 2u * n, chunk, &table);
                if (status != RMF_OK) return status;
                for (k = 0; k < n; ++k, ++i) {
                    if (read_le16(table + 2u * k) == code) {
                        *number = i;
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
            size_t slot;
            if (row < first_row || row > last_row || cell_slot < 0) return RMF_NOT_FOUND;
            slot = (size_t)(row - first_row) * cells_per_row(font->kind) + (size_t)cell_slot;
            if (slot >= font->code_count) return RMF_NOT_FOUND;
            *number = ascii + slot;
            return RMF_OK;
        }
        case RMF_KIND_UNICODE:
            if (code < font->start_code || code > font->end_code) return RMF_NOT_FOUND;
            *number = ascii + (size_t)(code - font->start_code);
            return RMF_OK;
        default:
            return RMF_NOT_FOUND;
    }
}

/* --- The decoder of compressed glyphs (docs/file-formats.md). */

static const uint16_t rmf_probability[16] = RMF_RZ_PROBABILITIES;

typedef struct rmf_coder {
    const rmf_font* font;
    const uint8_t* model;
    const uint8_t* bytes; /* the rest of the current chunk */
    size_t at, end;       /* next code byte to fetch; end of the glyph's code */
    uint32_t range, code;
    uint8_t* chunk; /* RMF_SCRATCH bytes */
    uint8_t avail;  /* bytes left at `bytes` (at most RMF_SCRATCH) */
    uint8_t status; /* an rmf_status */
} rmf_coder;

/* The next byte of the glyph's code; 0 past its end. */
static unsigned next_byte(rmf_coder* c) {
    if (c->avail == 0u) {
        size_t n = c->end - c->at;
        if (n == 0u) return 0u;
        if (n > RMF_SCRATCH) n = RMF_SCRATCH;
        c->status = (uint8_t)fetch(c->font, c->at, n, c->chunk, &c->bytes);
        if (c->status != RMF_OK) {
            c->end = c->at;
            return 0u;
        }
        c->at += n;
        c->avail = (uint8_t)n;
    }
    --c->avail;
    return *c->bytes++;
}

static unsigned decode_bit(rmf_coder* c, unsigned context) {
    unsigned value = (c->model[context >> 1] >> ((context & 1u) ? 0u : 4u)) & 0x0Fu;
    uint32_t bound = (c->range >> RMF_RZ_PROBABILITY_BITS) * rmf_probability[value];
    unsigned bit = c->code >= bound;
    if (bit) {
        c->code -= bound;
        c->range -= bound;
    } else {
        c->range = bound;
    }
    while (c->range < 0x1000000u) {
        c->range <<= 8;
        c->code = (c->code << 8) | next_byte(c);
    }
    return bit;
}

/* The level of pixel x of a decoded row (NULL: above the cell); 0 outside
 * the cell (x = -1 wraps to a large value). */
static unsigned level_at(const rmf_font* font, const uint8_t* row, unsigned x) {
    unsigned shift = (unsigned)font->format; /* log2 of the bits a pixel */
    if (row == NULL || x >= font->width) return 0u;
    if (font->format == RMF_FORMAT_ARGB4444) return row[2u * x + 1u] >> 4;
    return (row[x >> (3u - shift)] >> (8u - (1u << shift) - ((x << shift) & 7u))) &
           ((1u << (1u << shift)) - 1u);
}

/* Decodes the glyph whose code is `length` bytes at `at` into out. */
static rmf_status decode_glyph(const rmf_font* font, size_t at, size_t length, uint8_t* out,
                               uint8_t* scratch) {
    static const uint8_t max_of[5] = RMF_FORMAT_MAX_LEVELS;
    unsigned max = max_of[font->format];
    unsigned x, y, i;
    rmf_coder c;
    memset(&c, 0, sizeof c);
    c.font = font;
    c.chunk = scratch;
    c.model = font->data != NULL ? font->data + RMF_RZ_HEADER : font->model;
    c.at = at;
    c.end = at + length;
    c.range = 0xFFFFFFFFu;
    for (i = 0; i < 4u; ++i) c.code = (c.code << 8) | next_byte(&c);
    memset(out, 0, font->glyph_bytes);
    for (y = 0; y < font->height; ++y) {
        uint8_t* row = out + (size_t)y * font->row_bytes;
        const uint8_t* above = y >= 1u ? row - font->row_bytes : NULL;
        const uint8_t* above2 = y >= 2u ? row - 2u * font->row_bytes : NULL;
        unsigned row_band = (unsigned)(((size_t)y << font->grid_y) / font->height)
                            << (6u + font->grid_x);
        /* Which neighbours are not background, slid along the row in the
         * bits of the context: 0 left, 1 above, 2 above left, 3 above right,
         * 4 two to the left. */
        unsigned near = (level_at(font, above, 0) != 0u) << 1 | (level_at(font, above, 1) != 0u)
                                                                    << 3;
        for (x = 0; x < font->width; ++x) {
            unsigned context = row_band |
                               (unsigned)(((size_t)x << font->grid_x) / font->width) << 6 | near |
                               (level_at(font, above2, x) != 0u) << 5;
            unsigned level = decode_bit(&c, context) ? max : 0u;
            near = (level != 0u) | (near >> 2 & 2u) | (near << 1 & 4u) | (near << 4 & 16u) |
                   (level_at(font, above, x + 2u) != 0u) << 3;
            if (level == 0u) continue;
            if (max > 1u) {
                context = (level_at(font, row, x - 1u) == max) |
                          (level_at(font, above, x) == max) << 1 |
                          (level_at(font, above, x - 1u) == max) << 2 |
                          (level_at(font, above, x + 1u) == max) << 3 |
                          (level_at(font, row, x - 2u) == max) << 4;
                unsigned levels = (unsigned)ink_contexts(font);
                if (!decode_bit(&c, levels + context)) {
                    /* 2, 8 or 4 bits (1 + the value is the level) */
                    unsigned bits = max == 3u ? 2u : max == 255u ? 8u : 4u, node = 1u;
                    level = 0;
                    for (i = 0; i < bits; ++i) {
                        unsigned bit = decode_bit(&c, levels + (i < 4u ? 32u + node : 44u + i));
                        node = 2u * node + bit;
                        level = 2u * level + bit;
                    }
                    if (++level > max) level = max; /* only a corrupt code gets here */
                }
            }
            if (font->format == RMF_FORMAT_ARGB4444) {
                row[2u * x] = row[2u * x + 1u] = (uint8_t)(level * 0x11u);
            } else {
                unsigned shift = (unsigned)font->format;
                row[x >> (3u - shift)] |=
                    (uint8_t)(level << (8u - (1u << shift) - ((x << shift) & 7u)));
            }
        }
    }
    return (rmf_status)c.status;
}

/* Reads the offset and lengths of the index entry of glyph `number` (one
 * read into scratch): where its code starts (*code_at) and its length. */
static rmf_status index_entry(const rmf_font* font, size_t number, size_t* code_at,
                              size_t* code_length, uint8_t* scratch) {
    const uint8_t* p;
    unsigned form = font->length_form, base_bytes = form ? 2u : 1u;
    size_t k = number % RMF_RZ_BLOCK, i, offset, length = 0;
    int ok = 1;
    rmf_status status = fetch(font, font->index_at + (number / RMF_RZ_BLOCK) * font->entry_bytes,
                              font->entry_bytes - RMF_RZ_BLOCK * font->index_widths, scratch, &p);
    if (status != RMF_OK) return status;
    offset = (size_t)read_le16(p) | (size_t)read_le16(p + 2) << 16;
    p += 4u + base_bytes;
    for (i = 0; i <= k; ++i) {
        /* the base, then what the glyph's nibble, byte or 2 bytes add */
        offset = add_size(offset, length, &ok);
        length = form == 0u   ? (p[i / 2u] >> ((i & 1u) ? 0u : 4u)) & 15u
                 : form == 1u ? p[i]
                              : read_le16(p + 2u * i);
        length += form ? read_le16(p - 2) : p[-1];
    }
    offset = add_size(font->data_at, offset, &ok);
    if (!ok || offset > font->size || font->size - offset < length) return RMF_CORRUPT;
    *code_at = offset;
    *code_length = length;
    return RMF_OK;
}

/* rmf_find_glyph (buffer NULL: point into the font) and rmf_read_glyph
 * (buffer of at least glyph_bytes). Four arguments keep both calls free of
 * stack-passed arguments. */
static rmf_status find(const rmf_font* font, uint16_t code, rmf_glyph* glyph, uint8_t* buffer) {
    size_t number = 0;
    size_t bits_at = 0;
    size_t width_at = 0;
    size_t s;
    const uint8_t* bits = NULL;
    const uint8_t* width = NULL;
    uint8_t width_byte = 0;
    uint8_t scratch[RMF_SCRATCH];
    rmf_status status;
    if (font == NULL || glyph == NULL) return RMF_BAD_ARGUMENT;
    memset(glyph, 0, sizeof *glyph);
    if (font->data == NULL && (buffer == NULL || font->read == NULL)) return RMF_BAD_ARGUMENT;
    /* A compressed glyph exists only once decoded into the caller's buffer. */
    if (font->compressed && buffer == NULL) return RMF_BAD_ARGUMENT;
    s = font->glyph_bytes;

    status = locate(font, code, &number, scratch);
    if (status != RMF_OK) return status;
    if (font->kind != RMF_KIND_STRING && number < RMF_ASCII_COUNT) {
        bits_at = RMF_ASCII_GLYPHS + number * s;
        if (font->widths_at != 0u) width_at = font->widths_at + number;
    } else if (font->kind == RMF_KIND_UNICODE || font->kind == RMF_KIND_STRING) {
        if (font->kind == RMF_KIND_UNICODE) number -= RMF_ASCII_COUNT;
        width_at = font->records + number * (s + 1u);
        bits_at = width_at + 1u;
        if (font->kind == RMF_KIND_UNICODE) number += RMF_ASCII_COUNT;
    } else {
        bits_at = font->records + (number - RMF_ASCII_COUNT) * s;
    }
    if (RMF_COMPRESSED && font->compressed) {
        size_t length = 0;
        /* Unicode and string fonts: the width bytes end the index entry */
        if (font->index_widths)
            width_at = font->index_at + (number / RMF_RZ_BLOCK + 1u) * font->entry_bytes -
                       RMF_RZ_BLOCK + number % RMF_RZ_BLOCK;
        status = index_entry(font, number, &bits_at, &length, scratch);
        if (status == RMF_OK) status = decode_glyph(font, bits_at, length, buffer, scratch);
        bits = buffer;
    }
    if (status == RMF_OK && width_at != 0u) status = fetch(font, width_at, 1u, &width_byte, &width);
    if (status == RMF_OK && bits == NULL)
        status = fetch(font, bits_at, font->glyph_bytes, buffer, &bits);
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
        case RMF_CORRUPT:
            return "RMF_CORRUPT";
    }
    return "RMF_UNKNOWN";
}
