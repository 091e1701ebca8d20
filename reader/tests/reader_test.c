/* SPDX-License-Identifier: MIT */
/* Tests of the C font reader. Files are built by hand: a 9-byte header written byte by byte,
 * the rest a position-dependent pattern; every expected length and offset is worked out by hand. */
#include <stdio.h>
#include <string.h>

#include "runemill_font.h"

static int checks, failures;
static const char* current_case = "";

static void check(int ok, int line, const char* what) {
    ++checks;
    if (ok) return;
    ++failures;
    fprintf(stderr, "%s:%d: [%s] %s\n", __FILE__, line, current_case, what);
}
#define CHECK(cond) check((cond) != 0, __LINE__, #cond)
#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

static uint8_t pattern(size_t i) { return (uint8_t)(i * 31u + 7u); }

static uint8_t big[2708622 + 2]; /* the default Unicode 32x32 library and one byte more */

/* For a string font "start" is the count and "end" 0x4E55 puts 'U','N' at bytes 6 and 7.
 * The first nine cases are the files of the lookup table. */
struct open_case {
    const char *name, *magic;
    uint8_t w, h, format;
    uint16_t start, end;
    size_t size, w_override;
    rmf_status want;
    rmf_kind kind;
};

enum { F_GB2312, F_GBK, F_UNICODE, F_ASCII, F_STRING, F_WIDE, F_CHIP, F_STRING40, F_BIG5 };

#define K(kind) RMF_KIND_##kind
#define S(status) RMF_##status
/* clang-format off */
static const struct open_case open_cases[] = {
    {"gb2312 default 16x16", "GB", 16, 16, 0, 0xA1A0, 0xF7FE, 264840, 0, S(OK), K(GB2312)},
    {"gbk default 16x16", "GK", 16, 16, 0, 0x8140, 0xFEBF, 769224, 0, S(OK), K(GBK)},
    {"unicode default", "un", 32, 32, 0, 0x4E00, 0x9FA5, 2708622, 0, S(OK), K(UNICODE)},
    {"ascii 32x32", "AS", 32, 32, 0, 0xFFFF, 0xFFFF, 12264, 0, S(OK), K(ASCII)},
    {"string count 5", "SS", 16, 16, 0, 5, 0x4E55, 184, 0, S(OK), K(STRING)},
    {"W=300 with override", "un", 44, 2, 0, 0x4E00, 0x4E00, 7401, 300, S(OK), K(UNICODE)},
    {"chip header", "ZQ", 32, 32, 0, 0xA1A0, 0xF7FE, 108, 0, S(OK), K(CHIP)},
    {"string count 40, 8x1", "SS", 8, 1, 0, 40, 0x4E55, 169, 0, S(OK), K(STRING)},
    {"big5 default 16x16", "BG", 16, 16, 0, 0xA140, 0xF9FE, 458824, 0, S(OK), K(BIG5)},
    {"override disagrees", "un", 44, 2, 0, 0x4E00, 0x4E00, 7401, 301, S(BAD_ARGUMENT), 0},
    {"W byte 0, no override", "GB", 0, 1, 0, 0xA1A0, 0xA1FE, 6152, 0, S(BAD_FORMAT), 0},
    {"pixel format 9", "GB", 16, 16, 9, 0xA1A0, 0xF7FE, 264840, 0, S(BAD_FORMAT), 0},
    {"magic GX", "GX", 16, 16, 0, 0xA1A0, 0xF7FE, 264840, 0, S(BAD_MAGIC), 0},
    {"string without UN", "SS", 16, 16, 0, 5, 0x0000, 184, 0, S(BAD_MAGIC), 0},
    {"library cut to 8 bytes", "GB", 16, 16, 0, 0xA1A0, 0xF7FE, 8, 0, S(TRUNCATED), 0},
    {"gb2312 start A19F", "GB", 16, 16, 0, 0xA19F, 0xF7FE, 264840, 0, S(BAD_RANGE), 0},
    {"unicode end before start", "un", 16, 16, 0, 0x4E01, 0x4E00, 3144, 0, S(BAD_RANGE), 0},
};
/* clang-format on */

/* Builds open case i, cut or padded to size, into big and opens it. The string font of 5 codes
 * gets the code table a b a space d; that of 40 keeps the pattern: 40 distinct codes. */
static rmf_status open_built(size_t i, size_t size, rmf_font* font) {
    static const uint8_t table[10] = {0x61, 0, 0x62, 0, 0x61, 0, 0x20, 0, 0x64, 0};
    const struct open_case* c = &open_cases[i];
    /* clang-format off */
    const uint8_t header[9] = {(uint8_t)c->magic[0], (uint8_t)c->magic[1], c->w, c->h,
                               (uint8_t)(c->start & 0xFF), (uint8_t)(c->start >> 8),
                               (uint8_t)(c->end & 0xFF), (uint8_t)(c->end >> 8), c->format};
    /* clang-format on */
    for (size_t k = 0; k < size; ++k) big[k] = k < sizeof header ? header[k] : pattern(k);
    if (c->magic[0] == 'S' && c->start == 5 && size >= 19) memcpy(big + 9, table, sizeof table);
    return rmf_open(font, big, size, (unsigned)c->w_override, 0);
}

/* The read function of the callback API over data[0 .. size-1]: counts calls and bytes, fails
 * call number fail_at (one byte short when short_read is set, else with none) and counts requests
 * of 0 bytes or outside the file. */
struct source {
    const uint8_t* data;
    size_t size, bytes;
    int fail_at, short_read, calls, bad_requests;
};

static size_t source_read(void* context, size_t offset, uint8_t* buffer, size_t length) {
    struct source* s = context;
    if (length == 0 || offset > s->size || s->size - offset < length) return ++s->bad_requests, 0;
    if (++s->calls == s->fail_at) return s->short_read ? length - 1 : 0;
    memcpy(buffer, s->data + offset, length);
    s->bytes += length;
    return length;
}

static void test_open(void) {
    for (size_t i = 0; i < COUNT_OF(open_cases); ++i) {
        const struct open_case* c = &open_cases[i];
        rmf_font font, read_font;
        struct source src = {.data = big, .size = c->size};
        current_case = c->name;
        CHECK(open_built(i, c->size, &font) == c->want);
        /* The callback API opens the same way from one read of at most 9 bytes (the fonts it
         * opens are read by test_lookup); a failed read gives RMF_READ_ERROR. */
        CHECK(rmf_open_read(&read_font, source_read, &src, c->size, c->w_override, 0) == c->want);
        CHECK(src.calls == 1 && src.bytes == (c->size < 9 ? c->size : 9) && !src.bad_requests);
        CHECK(c->want == RMF_OK || (font.kind == RMF_KIND_NONE && read_font.kind == RMF_KIND_NONE));
        src.fail_at = 2;
        CHECK(rmf_open_read(&read_font, source_read, &src, c->size, 0, 0) == RMF_READ_ERROR);
        CHECK(read_font.kind == RMF_KIND_NONE);
        if (c->want != RMF_OK) continue;
        CHECK(font.kind == c->kind && font.format == (rmf_format)c->format && font.height == c->h &&
              font.width == (c->w_override ? c->w_override : c->w));
        /* One byte long is refused; one short too, as truncated below the 108-byte chip header. */
        CHECK(open_built(i, c->size + 1, &font) == RMF_BAD_LENGTH);
        CHECK(open_built(i, c->size - 1, &font) ==
              (c->kind == RMF_KIND_CHIP ? RMF_TRUNCATED : RMF_BAD_LENGTH));
    }
}

/* file: an open case; width_at 0: the file stores no width byte for it. Codes each kind lacks,
 * and every slot of writer-made files, are looked up by test_reader_roundtrip. */
struct lookup_case {
    const char* name;
    uint16_t code;
    rmf_status want;
    size_t file, bits_at, width_at;
};

static const struct lookup_case lookup_cases[] = {
    {"gbk FEFE beyond end code", 0xFEFE, RMF_OK, F_GBK, 769192, 0},
    {"unicode last 9FA5", 0x9FA5, RMF_OK, F_UNICODE, 2708494, 2708493},
    {"string a: the first of two", 0x61, RMF_OK, F_STRING, 20, 19},
    {"W=300 4E00", 0x4E00, RMF_OK, F_WIDE, 7325, 7324},
    {"big5 A1A1: trail A1 in slot 65", 0xA1A1, RMF_OK, F_BIG5, 5224, 0},
    {"chip header holds no glyph", 0x41, RMF_NOT_FOUND, F_CHIP, 0, 0},
    /* The table is read in chunks of 16, 16 and 8 codes; code 35 is pattern(79), pattern(80). */
    {"string code 35 of 40", 0xB798, RMF_OK, F_STRING40, 160, 159},
    {"string 0000 not among 40", 0x0000, RMF_NOT_FOUND, F_STRING40, 0, 0},
};

/* Looks each code up in memory (in place, then copied) and through the callback API: the glyph
 * at bits_at (width byte at width_at or none); the reads it costs: a string font's code table, 16
 * codes a read, then the width byte and the glyph; and that a read failing or coming back one
 * byte short, at each of them, gives RMF_READ_ERROR and an empty glyph. */
static void test_lookup(void) {
    uint8_t buffer[128];
    rmf_font font;
    rmf_glyph glyph;
    for (size_t i = 0; i < COUNT_OF(lookup_cases); ++i) {
        const struct lookup_case* c = &lookup_cases[i];
        const struct open_case* f = &open_cases[c->file];
        const size_t codes = f->magic[0] == 'S' ? f->start : 0, size = f->size;
        const unsigned w_override = (unsigned)f->w_override;
        const int found = c->want == RMF_OK, has_width = c->width_at != 0;
        const int calls = (int)(codes + 15) / 16 + found * (1 + has_width);
        struct source src = {.data = big, .size = size};
        current_case = c->name;
        CHECK(open_built(c->file, size, &font) == RMF_OK);
        CHECK(rmf_find_glyph(&font, c->code, &glyph) == c->want);
        CHECK(!found || (glyph.bits == big + c->bits_at && glyph.code == c->code));
        for (int api = 0; api < 2; ++api) {
            CHECK(!api || rmf_open_read(&font, source_read, &src, size, w_override, 0) == RMF_OK);
            src.calls = 0;
            src.bytes = 0;
            CHECK(rmf_read_glyph(&font, c->code, &glyph, buffer, sizeof buffer) == c->want);
            CHECK(!found || (glyph.bits == buffer &&
                             memcmp(buffer, big + c->bits_at, font.glyph_bytes) == 0 &&
                             glyph.size == font.glyph_bytes && glyph.has_width_byte == has_width &&
                             glyph.width_byte == (has_width ? big[c->width_at] : 0)));
        }
        CHECK(src.calls == calls && src.bad_requests == 0 &&
              src.bytes == 2 * codes + found * (font.glyph_bytes + has_width));
        for (int k = 1; k <= 2 * calls; ++k) {
            src.calls = 0;
            src.fail_at = (k + 1) / 2;
            src.short_read = k % 2;
            CHECK(rmf_read_glyph(&font, c->code, &glyph, buffer, sizeof buffer) == RMF_READ_ERROR);
            CHECK(glyph.bits == NULL && glyph.width == 0);
        }
        src.calls = 0;
        CHECK(font.glyph_bytes == 0 || rmf_read_glyph(&font, c->code, &glyph, buffer,
                                                      font.glyph_bytes - 1) == RMF_BAD_ARGUMENT);
        CHECK(rmf_find_glyph(&font, c->code, &glyph) == RMF_BAD_ARGUMENT && src.calls == 0);
    }
}

/* A string font of one glyph 'A' (W, H, format, its n bytes); the gray levels of row y for
 * x < W. x = W (padding bits) and y = H lie outside the cell. Stored values are compared with
 * the writer's pixels by test_reader_roundtrip. */
struct pixel_case {
    const char* name;
    uint8_t w, h, format, n, y, bits[10], gray[10];
};

/* clang-format off */
static const struct pixel_case pixel_cases[] = {
    {"1bit", 9, 2, 0, 4, 0, {0x80, 0xFF, 0x01, 0x00}, {255, 0, 0, 0, 0, 0, 0, 0, 255}},
    {"2bit", 10, 1, 1, 3, 0, {0xE4, 0x1B, 0xCF}, {255, 170, 85, 0, 0, 85, 170, 255, 255, 0}},
    {"4bit row 1", 3, 2, 2, 4, 1, {0xF0, 0x8A, 0x01, 0x23}, {0, 0x11, 0x22}},
    {"8bit row 1", 2, 2, 3, 4, 1, {0x00, 0x80, 0xFF, 0x12}, {0xFF, 0x12}},
    /* white, 88, B, G, R: the low byte first */
    {"argb", 5, 1, 4, 10, 0, {0xFF, 0xFF, 0x88, 0x88, 0x0F, 0x00, 0xF0, 0x00, 0x00, 0x0F},
     {255, 0x88, 39, 127, 87}},
};
/* clang-format on */

static void test_pixels(void) {
    for (size_t i = 0; i < COUNT_OF(pixel_cases); ++i) {
        const struct pixel_case* c = &pixel_cases[i];
        uint8_t file[22] = {'S', 'S', c->w, c->h, 1, 0, 'U', 'N', c->format, 'A', 0, 7};
        rmf_font font;
        rmf_glyph glyph;
        uint8_t gray = 0x5A;
        current_case = c->name;
        memcpy(file + 12, c->bits, c->n);
        CHECK(rmf_open(&font, file, 12u + c->n, 0, 0) == RMF_OK &&
              rmf_find_glyph(&font, 'A', &glyph) == RMF_OK);
        for (unsigned x = 0; x < c->w; ++x)
            CHECK(rmf_glyph_pixel(&glyph, x, c->y, &gray) == RMF_OK && gray == c->gray[x]);
        CHECK(rmf_glyph_pixel(&glyph, c->w, c->y, &gray) == RMF_OUT_OF_RANGE);
        CHECK(rmf_glyph_pixel(&glyph, 0, c->h, &gray) == RMF_OUT_OF_RANGE);
    }
}

/* The fields of headers the writer made are read by test_cli_inspect. */
static void test_headers(void) {
    rmf_font font;
    rmf_header_info info;
    rmf_glyph glyph;

    current_case = "ttf header with W byte 0, y0 -7, family without terminator";
    open_built(F_CHIP, 108, &font);
    memcpy(big, "TF\0", 3);
    big[29] = 0xF9;
    memset(big + 32, 'x', 76);
    CHECK(rmf_open(&font, big, 108, 0, 0) == RMF_OK);
    CHECK(font.kind == RMF_KIND_TTF && font.width == 0 && font.start_code == 0xA1A0 &&
          font.end_code == 0xF7FE);
    CHECK(rmf_header_fields(&font, &info) == RMF_OK && info.y0 == -7 && info.family == big + 32 &&
          info.family_length == 76);

    /* A count edited after rmf_open must not walk the scan off the buffer. */
    current_case = "string: code_count edited after open; no header fields; bad arguments";
    CHECK(open_built(F_STRING, 184, &font) == RMF_OK);
    font.code_count = (size_t)-1 / 4u;
    CHECK(rmf_find_glyph(&font, 0x41, &glyph) == RMF_NOT_FOUND);
    CHECK(rmf_header_fields(&font, &info) == RMF_BAD_ARGUMENT &&
          rmf_find_glyph(&font, 'a', NULL) == RMF_BAD_ARGUMENT &&
          rmf_open(NULL, big, 184, 0, 0) == RMF_BAD_ARGUMENT);
    CHECK(rmf_open(&font, NULL, 16, 0, 0) == RMF_BAD_ARGUMENT); /* and leaves font empty */
    CHECK(rmf_find_glyph(&font, 0x41, &glyph) == RMF_BAD_ARGUMENT);
}

/* A compressed string font of two 8 x 2 1bits glyphs, worked out from the format page: header
 * (14 bytes: version 2, length form 0, grid 0 x 0), model (64 contexts, 32 bytes), code table
 * 'a' 'b' at 46, one index entry at 50 (offset 0; base 0; nibbles 0 and 4; 14 empty; widths 3
 * and 8 at 63), codes from 79. A code of no bytes reads as zeros: every decision is 0, a blank
 * glyph. FF FF FF FF starts with code == range, so every decision is 1: full ink, whatever the
 * model says. */
#define RZ_SIZE 83u
static void build_compressed(uint8_t* file) {
    static const uint8_t head[14] = {'R', 'Z', 2, 0, 0, 'S', 'S', 8, 2, 2, 0, 'U', 'N', 0};
    memset(file, 0, RZ_SIZE);
    memcpy(file, head, sizeof head);
    memset(file + 14, 0x5A, 32);
    memcpy(file + 46, "a\0b\0", 4);
    file[55] = 0x04;
    file[63] = 3;
    file[64] = 8;
    memset(file + 79, 0xFF, 4);
}

/* One change to the file each: the status of rmf_open, then of looking up 'b'. */
struct corrupt_case {
    const char* name;
    size_t at, size;
    uint8_t value;
    rmf_status open, lookup;
};

/* clang-format off */
static const struct corrupt_case corrupt_cases[] = {
    {"version 1", 2, RZ_SIZE, 1, S(CORRUPT), 0},
    {"length form 3", 3, RZ_SIZE, 3, S(CORRUPT), 0},
    {"grid of 32 columns", 4, RZ_SIZE, 0x50, S(CORRUPT), 0},
    {"grid of 2^8 bands", 4, RZ_SIZE, 0x44, S(CORRUPT), 0},
    {"grid whose model passes the end", 4, RZ_SIZE, 0x11, S(BAD_LENGTH), 0},
    {"unknown magic inside", 5, RZ_SIZE, 'Z', S(BAD_MAGIC), 0},
    {"pixel format 5", 13, RZ_SIZE, 5, S(BAD_FORMAT), 0},
    {"cut inside the header", 0, 13, 'R', S(TRUNCATED), 0},
    {"cut inside the index", 0, 78, 'R', S(BAD_LENGTH), 0},
    {"glyph b one byte past the end", 55, RZ_SIZE, 0x05, S(OK), S(CORRUPT)},
    {"base 1: glyph b past the end", 54, RZ_SIZE, 1, S(OK), S(CORRUPT)},
    {"block offset FF000000", 53, RZ_SIZE, 0xFF, S(OK), S(CORRUPT)},
};
/* clang-format on */

static void test_compressed(void) {
    static uint8_t file[RZ_SIZE];
    uint8_t bits[2];
    rmf_font font;
    rmf_glyph glyph;
    struct source src = {.data = file, .size = RZ_SIZE};
    for (size_t i = 0; i < COUNT_OF(corrupt_cases); ++i) {
        const struct corrupt_case* c = &corrupt_cases[i];
        current_case = c->name;
        build_compressed(file);
        file[c->at] = c->value;
        CHECK(rmf_open(&font, file, c->size, 0, 0) == c->open);
        CHECK(c->open != RMF_OK ||
              rmf_read_glyph(&font, 'b', &glyph, bits, sizeof bits) == c->lookup);
    }

    current_case = "compressed string font, in memory and through the callback";
    build_compressed(file);
    CHECK(rmf_open(&font, file, RZ_SIZE, 0, 0) == RMF_OK && font.compressed &&
          font.kind == RMF_KIND_STRING && font.code_count == 2 && font.plain_size == 9 + 2 * 5);
    CHECK(rmf_find_glyph(&font, 'a', &glyph) == RMF_BAD_ARGUMENT);
    for (int api = 0; api < (RMF_MODEL_BYTES >= 32 ? 2 : 1); ++api) {
        CHECK(!api || rmf_open_read(&font, source_read, &src, RZ_SIZE, 0, 0) == RMF_OK);
        /* open: bytes 0-8, 9-13 and the model */
        CHECK(!api || (src.calls == 3 && src.bytes == 14 + 32 && font.model[0] == 0x5A));
        src.calls = 0;
        src.bytes = 0;
        CHECK(rmf_read_glyph(&font, 'b', &glyph, bits, sizeof bits) == RMF_OK && bits[0] == 0xFF &&
              bits[1] == 0xFF && glyph.has_width_byte && glyph.width_byte == 8);
        /* the table, the entry up to its nibbles, the code, the width byte */
        CHECK(!api || (src.calls == 4 && src.bytes == 4 + 13 + 4 + 1));
        CHECK(rmf_read_glyph(&font, 'a', &glyph, bits, sizeof bits) == RMF_OK && bits[0] == 0 &&
              bits[1] == 0 && glyph.width_byte == 3);
        CHECK(rmf_read_glyph(&font, 'c', &glyph, bits, sizeof bits) == RMF_NOT_FOUND);
    }
    /* Built with no room for a model (-DRMF_MODEL_BYTES=1), the file opens in memory only. */
    CHECK(RMF_MODEL_BYTES >= 32 ||
          (rmf_open_read(&font, source_read, &src, RZ_SIZE, 0, 0) == RMF_BAD_ARGUMENT &&
           font.kind == RMF_KIND_NONE));
    CHECK(src.bad_requests == 0);
}

int main(void) {
    test_open();
    test_compressed();
    test_lookup();
    test_pixels();
    test_headers();
    const unsigned one = 1;
    /* run_s390x.sh looks for "big-endian" to be sure where it ran. */
    printf("reader (%s): %d checks, %d passed, %d failed\n",
           *(const unsigned char*)&one ? "little-endian" : "big-endian", checks, checks - failures,
           failures);
    return failures == 0 ? 0 : 1;
}
