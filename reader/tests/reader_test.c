/*
 * Tests of the C font reader. Files are built by hand here: a 9-byte header
 * written byte by byte, the rest filled with a position-dependent pattern,
 * and every expected length and offset is a literal worked out by hand.
 */
#include <stdio.h>
#include <string.h>

#include "runemill_font.h"

static int checks;
static int failures;
static const char* current_case = "";

static void check(int ok, int line, const char* what, rmf_status got, rmf_status want) {
    ++checks;
    if (ok) return;
    ++failures;
    fprintf(stderr, "%s:%d: [%s] %s", __FILE__, line, current_case, what);
    if (got != want)
        fprintf(stderr, " gave %s, expected %s", rmf_status_name(got), rmf_status_name(want));
    fputc('\n', stderr);
}
#define CHECK(cond) check((cond) != 0, __LINE__, #cond, RMF_OK, RMF_OK)
#define CHECK_STATUS(got, want)                            \
    do {                                                   \
        rmf_status got_ = (got), want_ = (want);           \
        check(got_ == want_, __LINE__, #got, got_, want_); \
    } while (0)
#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

static uint8_t pattern(size_t i) { return (uint8_t)(i * 31u + 7u); }

/* Large enough for the default Unicode 32x32 library (2708622 bytes). */
static uint8_t big[2708622 + 2];

/* For a string font "start" is the count and "end" 0x4E55 puts 'U','N' at
 * bytes 6 and 7. The first seven cases are the files of the lookup table. */
struct open_case {
    const char *name, *magic;
    uint8_t w, h;
    uint16_t start, end;
    uint8_t format;
    size_t size;
    unsigned w_override;
    rmf_status want;
    rmf_kind kind;
    size_t glyph_bytes;
};

enum { F_GB2312, F_BIG5, F_GBK, F_UNICODE, F_ASCII, F_STRING, F_WIDE };

#define K(kind) RMF_KIND_##kind
#define S(status) RMF_##status
/* clang-format off */
static const struct open_case open_cases[] = {
    {"gb2312 default 16x16", "GB", 16, 16, 0xA1A0, 0xF7FE, 0, 264840, 0, S(OK), K(GB2312), 32},
    {"big5 default 16x16", "BG", 16, 16, 0xA140, 0xF9FF, 0, 458824, 0, S(OK), K(BIG5), 32},
    {"gbk default 16x16", "GK", 16, 16, 0x8140, 0xFEBF, 0, 769224, 0, S(OK), K(GBK), 32},
    {"unicode default", "un", 32, 32, 0x4E00, 0x9FA5, 0, 2708622, 0, S(OK), K(UNICODE), 128},
    {"ascii 32x32", "AS", 32, 32, 0xFFFF, 0xFFFF, 0, 12264, 0, S(OK), K(ASCII), 128},
    {"string count 5", "SS", 16, 16, 5, 0x4E55, 0, 184, 0, S(OK), K(STRING), 32},
    {"W=300 with override", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 300, S(OK), K(UNICODE), 76},
    {"string count 0", "SS", 16, 16, 0, 0x4E55, 0, 9, 0, S(OK), K(STRING), 32},
    {"chip header", "ZQ", 32, 32, 0xA1A0, 0xF7FE, 0, 108, 0, S(OK), K(CHIP), 0},
    {"ttf header", "TF", 32, 32, 0xA1A0, 0xF7FE, 0, 108, 0, S(OK), K(TTF), 0},
    {"gb2312 9x2 2bits one row", "GB", 9, 2, 0xA1A0, 0xA1FE, 1, 1238, 0, S(OK), K(GB2312), 6},
    {"big5 3x3 4bits one row", "BG", 3, 3, 0xA440, 0xA4FF, 2, 1634, 0, S(OK), K(BIG5), 6},
    {"gbk 10x10 8bits one row", "GK", 10, 10, 0xB0A1, 0xB0FE, 3, 28604, 0, S(OK), K(GBK), 100},
    {"unicode 4x2 argb4444", "un", 4, 2, 0x4E00, 0x4E09, 4, 1794, 0, S(OK), K(UNICODE), 16},
    {"W=300 without override", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 0, S(BAD_LENGTH), 0, 0},
    {"override disagrees", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 301, S(BAD_ARGUMENT), 0, 0},
    {"W byte 0, no override", "GB", 0, 1, 0xA1A0, 0xA1FE, 0, 6152, 0, S(BAD_FORMAT), 0, 0},
    {"pixel format 9", "GB", 16, 16, 0xA1A0, 0xF7FE, 9, 264840, 0, S(BAD_FORMAT), 0, 0},
    {"magic GX", "GX", 16, 16, 0xA1A0, 0xF7FE, 0, 264840, 0, S(BAD_MAGIC), 0, 0},
    {"string without UN", "SS", 16, 16, 5, 0x0000, 0, 184, 0, S(BAD_MAGIC), 0, 0},
    {"library cut to 8 bytes", "GB", 16, 16, 0xA1A0, 0xF7FE, 0, 8, 0, S(TRUNCATED), 0, 0},
    {"chip header cut", "ZQ", 32, 32, 0xA1A0, 0xF7FE, 0, 50, 0, S(TRUNCATED), 0, 0},
    {"gb2312 start A19F", "GB", 16, 16, 0xA19F, 0xF7FE, 0, 264840, 0, S(BAD_RANGE), 0, 0},
    {"gbk end before start", "GK", 16, 16, 0x8240, 0x8140, 0, 6184, 0, S(BAD_RANGE), 0, 0},
    {"unicode end before start", "un", 16, 16, 0x4E01, 0x4E00, 0, 3144, 0, S(BAD_RANGE), 0, 0},
};
/* clang-format on */
#undef K
#undef S

/* Builds open case i, cut or padded to size, into big and opens it. A file
 * cut short keeps the start of its header; a string font gets the code table
 * a b a space d. */
static rmf_status open_built(size_t i, size_t size, rmf_font* font) {
    static const uint8_t table[10] = {0x61, 0, 0x62, 0, 0x61, 0, 0x20, 0, 0x64, 0};
    const struct open_case* c = &open_cases[i];
    /* clang-format off */
    const uint8_t header[9] = {(uint8_t)c->magic[0], (uint8_t)c->magic[1], c->w, c->h,
                               (uint8_t)(c->start & 0xFF), (uint8_t)(c->start >> 8),
                               (uint8_t)(c->end & 0xFF), (uint8_t)(c->end >> 8), c->format};
    /* clang-format on */
    size_t k;
    for (k = 0; k < size; ++k) big[k] = k < sizeof header ? header[k] : pattern(k);
    if (c->magic[0] == 'S' && size >= 19) memcpy(big + 9, table, sizeof table);
    return rmf_open(font, big, size, c->w_override, 0);
}

static void test_open(void) {
    size_t i;
    for (i = 0; i < COUNT_OF(open_cases); ++i) {
        const struct open_case* c = &open_cases[i];
        /* One byte short or long is refused; short of the fixed header
         * (9 bytes, 108 for the chip headers) reads as truncated. */
        size_t fixed = c->kind == RMF_KIND_CHIP || c->kind == RMF_KIND_TTF ? 108 : 9;
        rmf_font font;
        current_case = c->name;
        CHECK_STATUS(open_built(i, c->size, &font), c->want);
        if (c->want != RMF_OK) {
            CHECK(font.kind == RMF_KIND_NONE);
            continue;
        }
        CHECK(font.kind == c->kind && font.glyph_bytes == c->glyph_bytes);
        CHECK(font.format == (rmf_format)c->format && font.height == c->h);
        CHECK(font.width == (c->w_override ? c->w_override : c->w));
        CHECK_STATUS(open_built(i, c->size + 1, &font), RMF_BAD_LENGTH);
        CHECK_STATUS(open_built(i, c->size - 1, &font),
                     c->size - 1 < fixed ? RMF_TRUNCATED : RMF_BAD_LENGTH);
    }
}

/* file: an open case; width_at 0: the file stores no width byte for it. */
struct lookup_case {
    const char* name;
    int file;
    uint16_t code;
    rmf_status want;
    size_t bits_at, width_at;
};

static const struct lookup_case lookup_cases[] = {
    {"gb2312 A2A1 after row seam", F_GB2312, 0xA2A1, RMF_OK, 6152, 0},
    {"gb2312 last F7FE", F_GB2312, 0xF7FE, RMF_OK, 264808, 0},
    {"gb2312 cell A0 absent", F_GB2312, 0xA1A0, RMF_NOT_FOUND, 0, 0},
    {"gb2312 cell FF absent", F_GB2312, 0xA1FF, RMF_NOT_FOUND, 0, 0},
    {"gb2312 row F8 absent", F_GB2312, 0xF8A1, RMF_NOT_FOUND, 0, 0},
    {"gb2312 ascii space", F_GB2312, 0x20, RMF_OK, 104, 9},
    {"gb2312 ascii tilde", F_GB2312, 0x7E, RMF_OK, 3112, 103},
    {"gb2312 0x7F absent", F_GB2312, 0x7F, RMF_NOT_FOUND, 0, 0},
    {"big5 A17F", F_BIG5, 0xA17F, RMF_OK, 5160, 0},
    {"big5 A1A0 follows 7F", F_BIG5, 0xA1A0, RMF_OK, 5192, 0},
    {"big5 A240 next row", F_BIG5, 0xA240, RMF_OK, 8264, 0},
    {"big5 cell 80 absent", F_BIG5, 0xA180, RMF_NOT_FOUND, 0, 0},
    {"gbk 817E", F_GBK, 0x817E, RMF_OK, 5128, 0},
    {"gbk 8180 follows 7E", F_GBK, 0x8180, RMF_OK, 5160, 0},
    {"gbk FEFE beyond end code", F_GBK, 0xFEFE, RMF_OK, 769192, 0},
    {"gbk cell 7F absent", F_GBK, 0x817F, RMF_NOT_FOUND, 0, 0},
    {"gbk row 80 absent", F_GBK, 0x80FE, RMF_NOT_FOUND, 0, 0},
    {"unicode 4E00", F_UNICODE, 0x4E00, RMF_OK, 12265, 12264},
    {"unicode last 9FA5", F_UNICODE, 0x9FA5, RMF_OK, 2708494, 2708493},
    {"unicode 4DFF absent", F_UNICODE, 0x4DFF, RMF_NOT_FOUND, 0, 0},
    {"ascii font A", F_ASCII, 0x41, RMF_OK, 4328, 42},
    {"ascii font 4E00 absent", F_ASCII, 0x4E00, RMF_NOT_FOUND, 0, 0},
    {"string a: the first of two", F_STRING, 0x61, RMF_OK, 20, 19},
    {"string d last", F_STRING, 0x64, RMF_OK, 152, 151},
    {"string A absent", F_STRING, 0x41, RMF_NOT_FOUND, 0, 0},
    {"W=300 4E00", F_WIDE, 0x4E00, RMF_OK, 7325, 7324},
    {"W=300 ascii !", F_WIDE, 0x21, RMF_OK, 180, 10},
};

static void test_lookup(void) {
    size_t i;
    for (i = 0; i < COUNT_OF(lookup_cases); ++i) {
        const struct lookup_case* c = &lookup_cases[i];
        rmf_font font;
        rmf_glyph glyph;
        current_case = c->name;
        CHECK_STATUS(open_built((size_t)c->file, open_cases[c->file].size, &font), RMF_OK);
        CHECK_STATUS(rmf_find_glyph(&font, c->code, &glyph), c->want);
        if (c->want != RMF_OK) continue;
        CHECK(glyph.bits == big + c->bits_at && glyph.code == c->code);
        CHECK(glyph.has_width_byte == (c->width_at != 0));
        CHECK(glyph.width_byte == (c->width_at ? pattern(c->width_at) : 0));
    }
}

/* Tiny string fonts with one glyph each, written out byte by byte. */
/* clang-format off */
static const uint8_t font_1bit_w9[] = {'S', 'S', 9, 2, 1, 0, 'U', 'N', 0, 'A', 0, 7,
                                       0x80, 0xFF, 0x01, 0x00};
static const uint8_t font_2bit_w10[] = {'S', 'S', 10, 1, 1, 0, 'U', 'N', 1, 'B', 0, 9,
                                        0xE4, 0x1B, 0xCF};
static const uint8_t font_4bit_w3[] = {'S', 'S', 3, 2, 1, 0, 'U', 'N', 2, 'C', 0, 3,
                                       0xF0, 0x8A, 0x01, 0x23};
static const uint8_t font_8bit_w2[] = {'S', 'S', 2, 2, 1, 0, 'U', 'N', 3, 'D', 0, 2,
                                       0x00, 0x80, 0xFF, 0x12};
static const uint8_t font_argb_w5[] = {'S', 'S', 5, 1, 1, 0, 'U', 'N', 4, 'E', 0, 5,
                                       0xFF, 0xFF, 0x88, 0x88, 0x0F, 0x00, 0xF0, 0x00, 0x00, 0x0F};
/* clang-format on */

/* Stored values and gray levels of row y for x = 0 .. W-1; x = W (padding
 * bits) and y = H lie outside the cell. */
struct pixel_case {
    const char* name;
    const uint8_t* file;
    size_t size;
    unsigned y;
    int raw[10], gray[10];
};

#define FONT(f) f, sizeof f
/* clang-format off */
static const struct pixel_case pixel_cases[] = {
    {"1bit row 0", FONT(font_1bit_w9), 0, {1, 0, 0, 0, 0, 0, 0, 0, 1},
                                          {255, 0, 0, 0, 0, 0, 0, 0, 255}},
    {"1bit row 1", FONT(font_1bit_w9), 1, {0, 0, 0, 0, 0, 0, 0, 1, 0},
                                          {0, 0, 0, 0, 0, 0, 0, 255, 0}},
    {"2bit", FONT(font_2bit_w10), 0, {3, 2, 1, 0, 0, 1, 2, 3, 3, 0},
                                     {255, 170, 85, 0, 0, 85, 170, 255, 255, 0}},
    {"4bit row 0", FONT(font_4bit_w3), 0, {15, 0, 8}, {255, 0, 0x88}},
    {"4bit row 1", FONT(font_4bit_w3), 1, {0, 1, 2}, {0, 0x11, 0x22}},
    {"8bit row 0", FONT(font_8bit_w2), 0, {0x00, 0x80}, {0x00, 0x80}},
    {"8bit row 1", FONT(font_8bit_w2), 1, {0xFF, 0x12}, {0xFF, 0x12}},
    /* white, gray 88, then blue, green and red alone */
    {"argb", FONT(font_argb_w5), 0, {0xFFFF, 0x8888, 0x000F, 0x00F0, 0x0F00},
                                    {255, 0x88, 39, 127, 87}},
};
/* clang-format on */

static void test_pixels(void) {
    size_t i;
    for (i = 0; i < COUNT_OF(pixel_cases); ++i) {
        const struct pixel_case* c = &pixel_cases[i];
        const unsigned w = c->file[2], h = c->file[3];
        unsigned x;
        rmf_font font;
        rmf_glyph glyph;
        uint16_t raw = 0xBEEF;
        uint8_t gray = 0x5A;
        current_case = c->name;
        CHECK_STATUS(rmf_open(&font, c->file, c->size, 0, 0), RMF_OK);
        CHECK_STATUS(rmf_find_glyph(&font, c->file[9], &glyph), RMF_OK);
        CHECK(glyph.bits == c->file + 12 && glyph.width_byte == c->file[11]);
        for (x = 0; x < w; ++x) {
            CHECK_STATUS(rmf_glyph_raw(&glyph, x, c->y, &raw), RMF_OK);
            CHECK_STATUS(rmf_glyph_pixel(&glyph, x, c->y, &gray), RMF_OK);
            if (raw != c->raw[x] || gray != c->gray[x]) fprintf(stderr, "%s x = %u: ", c->name, x);
            CHECK(raw == c->raw[x] && gray == c->gray[x]);
        }
        CHECK_STATUS(rmf_glyph_raw(&glyph, w, c->y, &raw), RMF_OUT_OF_RANGE);
        CHECK_STATUS(rmf_glyph_pixel(&glyph, w, c->y, &gray), RMF_OUT_OF_RANGE);
        CHECK_STATUS(rmf_glyph_pixel(&glyph, 0, h, &gray), RMF_OUT_OF_RANGE);
    }
}

/* A 108-byte header: 32x32, A1A0..F7FE, flags 0x87, 20 points, x0 0, y0 -7,
 * the family in GBK bytes. */
static void chip_header(uint8_t* h, const char* magic, const char* text) {
    static const uint8_t fixed[] = {32, 32, 0xA0, 0xA1, 0xFE, 0xF7, 0x00};
    static const uint8_t fields[] = {0x87, 0x14, 0x00, 0xF9, 0xFF, 0xFF, 0xCB, 0xCE, 0xCC, 0xE5, 0};
    memset(h, 0xFF, 108);
    h[0] = (uint8_t)magic[0];
    h[1] = (uint8_t)magic[1];
    memcpy(h + 2, fixed, sizeof fixed);
    memcpy(h + 9, text, strlen(text) + 1);
    memcpy(h + 26, fields, sizeof fields);
}

static void test_headers(void) {
    uint8_t h[108];
    rmf_font font;
    rmf_header_info info;
    rmf_glyph glyph;
    uint16_t raw;

    current_case = "chip header fields";
    chip_header(h, "ZQ", "ZQ7MRPE4KHC");
    CHECK_STATUS(rmf_open(&font, h, sizeof h, 0, 0), RMF_OK);
    CHECK(font.kind == RMF_KIND_CHIP && font.width == 32 && font.height == 32);
    CHECK(font.start_code == 0xA1A0 && font.end_code == 0xF7FE);
    CHECK_STATUS(rmf_header_fields(&font, &info), RMF_OK);
    CHECK(info.flags == 0x87 && info.point_size == 20 && info.x0 == 0 && info.y0 == -7);
    CHECK(info.text == h + 9 && info.text_length == 11);
    CHECK(info.family == h + 32 && info.family_length == 4);
    CHECK_STATUS(rmf_find_glyph(&font, 0xB0A1, &glyph), RMF_NOT_FOUND);
    CHECK_STATUS(rmf_find_glyph(&font, 0x41, &glyph), RMF_NOT_FOUND);

    current_case = "ttf header with W byte 0, family without terminator";
    chip_header(h, "TF", "KV7104 TTF Font");
    memset(h + 32, 'x', 76);
    h[2] = 0;
    CHECK_STATUS(rmf_open(&font, h, sizeof h, 0, 0), RMF_OK);
    CHECK(font.kind == RMF_KIND_TTF && font.width == 0);
    CHECK_STATUS(rmf_header_fields(&font, &info), RMF_OK);
    CHECK(info.text_length == 15 && info.family_length == 76);

    current_case = "library: no header fields; bad arguments";
    CHECK_STATUS(rmf_open(&font, font_8bit_w2, sizeof font_8bit_w2, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_header_fields(&font, &info), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_find_glyph(&font, 'D', NULL), RMF_BAD_ARGUMENT);
    /* A glyph edited by hand to claim a larger cell stays inside its bytes. */
    CHECK_STATUS(rmf_find_glyph(&font, 'D', &glyph), RMF_OK);
    glyph.height = 100;
    CHECK_STATUS(rmf_glyph_raw(&glyph, 0, 2, &raw), RMF_OUT_OF_RANGE);
    CHECK_STATUS(rmf_open(NULL, font_8bit_w2, sizeof font_8bit_w2, 0, 0), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_open(&font, NULL, 16, 0, 0), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_find_glyph(&font, 0x41, &glyph), RMF_BAD_ARGUMENT);
}

int main(void) {
    test_open();
    test_lookup();
    test_pixels();
    test_headers();
    printf("reader: %d checks\n", checks);
    printf("%d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
