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

#define CHECK(cond)                                                                       \
    do {                                                                                  \
        ++checks;                                                                         \
        if (!(cond)) {                                                                    \
            ++failures;                                                                   \
            fprintf(stderr, "%s:%d: [%s] %s\n", __FILE__, __LINE__, current_case, #cond); \
        }                                                                                 \
    } while (0)

#define CHECK_STATUS(got, want)                                                          \
    do {                                                                                 \
        rmf_status got_ = (got);                                                         \
        rmf_status want_ = (want);                                                       \
        ++checks;                                                                        \
        if (got_ != want_) {                                                             \
            ++failures;                                                                  \
            fprintf(stderr, "%s:%d: [%s] %s gave %s, expected %s\n", __FILE__, __LINE__, \
                    current_case, #got, rmf_status_name(got_), rmf_status_name(want_));  \
        }                                                                                \
    } while (0)

#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

static uint8_t pattern(size_t i) { return (uint8_t)(i * 31u + 7u); }

/* Large enough for the default Unicode 32x32 library (2708622 bytes). */
static uint8_t big[2708622 + 2];

static void build(uint8_t* buf, size_t size, const char* magic, uint8_t w, uint8_t h,
                  uint16_t start, uint16_t end, uint8_t format) {
    uint8_t header[9];
    size_t i;
    header[0] = (uint8_t)magic[0];
    header[1] = (uint8_t)magic[1];
    header[2] = w;
    header[3] = h;
    header[4] = (uint8_t)(start & 0xFF);
    header[5] = (uint8_t)(start >> 8);
    header[6] = (uint8_t)(end & 0xFF);
    header[7] = (uint8_t)(end >> 8);
    header[8] = format;
    /* A file cut short keeps the start of its header. */
    for (i = 0; i < size; ++i) buf[i] = i < sizeof header ? header[i] : pattern(i);
}

/* For a string font "start" is the count and "end" 0x4E55 puts 'U','N' at
 * bytes 6 and 7. */
struct open_case {
    const char* name;
    const char* magic;
    uint8_t w, h;
    uint16_t start, end;
    uint8_t format;
    size_t size;
    unsigned w_override, h_override;
    rmf_status want;
    rmf_kind kind;
    size_t glyph_bytes;
};

/* Short names keep one case on one line. */
#define K(kind) RMF_KIND_##kind
#define S(status) RMF_##status

/* clang-format off */
static const struct open_case open_cases[] = {
    {"gb2312 default 16x16", "GB", 16, 16, 0xA1A0, 0xF7FE, 0, 264840, 0, 0, S(OK), K(GB2312), 32},
    {"big5 default 16x16", "BG", 16, 16, 0xA140, 0xF9FF, 0, 458824, 0, 0, S(OK), K(BIG5), 32},
    {"gbk default 16x16", "GK", 16, 16, 0x8140, 0xFEBF, 0, 769224, 0, 0, S(OK), K(GBK), 32},
    {"unicode default", "un", 32, 32, 0x4E00, 0x9FA5, 0, 2708622, 0, 0, S(OK), K(UNICODE), 128},
    {"ascii 32x32", "AS", 32, 32, 0xFFFF, 0xFFFF, 0, 12264, 0, 0, S(OK), K(ASCII), 128},
    {"string count 5", "SS", 16, 16, 5, 0x4E55, 0, 184, 0, 0, S(OK), K(STRING), 32},
    {"string count 0", "SS", 16, 16, 0, 0x4E55, 0, 9, 0, 0, S(OK), K(STRING), 32},
    {"chip header", "ZQ", 32, 32, 0xA1A0, 0xF7FE, 0, 108, 0, 0, S(OK), K(CHIP), 0},
    {"ttf header", "TF", 32, 32, 0xA1A0, 0xF7FE, 0, 108, 0, 0, S(OK), K(TTF), 0},
    {"gb2312 9x2 2bits one row", "GB", 9, 2, 0xA1A0, 0xA1FE, 1, 1238, 0, 0, S(OK), K(GB2312), 6},
    {"big5 3x3 4bits one row", "BG", 3, 3, 0xA440, 0xA4FF, 2, 1634, 0, 0, S(OK), K(BIG5), 6},
    {"gbk 10x10 8bits one row", "GK", 10, 10, 0xB0A1, 0xB0FE, 3, 28604, 0, 0, S(OK), K(GBK), 100},
    {"unicode 4x2 argb4444", "un", 4, 2, 0x4E00, 0x4E09, 4, 1794, 0, 0, S(OK), K(UNICODE), 16},
    {"unicode 0000..FFFF", "un", 1, 1, 0x0000, 0xFFFF, 0, 131271, 0, 0, S(OK), K(UNICODE), 1},
    {"gb2312 part of one row", "GB", 16, 16, 0xB0C5, 0xB0D0, 0, 6152, 0, 0, S(OK), K(GB2312), 32},
    {"W=300 with override", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 300, 0, S(OK), K(UNICODE), 76},
    {"W=256 with override", "GB", 0, 1, 0xA1A0, 0xA1FE, 0, 6152, 256, 0, S(OK), K(GB2312), 32},
    {"W=300 without override", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 0, 0, S(BAD_LENGTH), 0, 0},
    {"override disagrees", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 301, 0, S(BAD_ARGUMENT), 0, 0},
    {"H override disagrees", "un", 44, 2, 0x4E00, 0x4E00, 0, 7401, 300, 3, S(BAD_ARGUMENT), 0, 0},
    {"W byte 0, no override", "GB", 0, 1, 0xA1A0, 0xA1FE, 0, 6152, 0, 0, S(BAD_FORMAT), 0, 0},
    {"pixel format 9", "GB", 16, 16, 0xA1A0, 0xF7FE, 9, 264840, 0, 0, S(BAD_FORMAT), 0, 0},
    {"pixel format 5", "GK", 16, 16, 0x8140, 0xFEBF, 5, 769224, 0, 0, S(BAD_FORMAT), 0, 0},
    {"magic GX", "GX", 16, 16, 0xA1A0, 0xF7FE, 0, 264840, 0, 0, S(BAD_MAGIC), 0, 0},
    {"magic gb", "gb", 16, 16, 0xA1A0, 0xF7FE, 0, 264840, 0, 0, S(BAD_MAGIC), 0, 0},
    {"string without UN", "SS", 16, 16, 5, 0x0000, 0, 184, 0, 0, S(BAD_MAGIC), 0, 0},
    {"library cut to 8 bytes", "GB", 16, 16, 0xA1A0, 0xF7FE, 0, 8, 0, 0, S(TRUNCATED), 0, 0},
    {"one byte", "GB", 16, 16, 0xA1A0, 0xF7FE, 0, 1, 0, 0, S(TRUNCATED), 0, 0},
    {"empty", "GB", 16, 16, 0xA1A0, 0xF7FE, 0, 0, 0, 0, S(TRUNCATED), 0, 0},
    {"chip header cut", "ZQ", 32, 32, 0xA1A0, 0xF7FE, 0, 50, 0, 0, S(TRUNCATED), 0, 0},
    {"gb2312 start A19F", "GB", 16, 16, 0xA19F, 0xF7FE, 0, 264840, 0, 0, S(BAD_RANGE), 0, 0},
    {"gb2312 end F7FF", "GB", 16, 16, 0xA1A0, 0xF7FF, 0, 264840, 0, 0, S(BAD_RANGE), 0, 0},
    {"big5 start A13F", "BG", 16, 16, 0xA13F, 0xF9FF, 0, 458824, 0, 0, S(BAD_RANGE), 0, 0},
    {"gbk end FEFF", "GK", 16, 16, 0x8140, 0xFEFF, 0, 769224, 0, 0, S(BAD_RANGE), 0, 0},
    {"gbk end before start", "GK", 16, 16, 0x8240, 0x8140, 0, 6184, 0, 0, S(BAD_RANGE), 0, 0},
    {"unicode end before start", "un", 16, 16, 0x4E01, 0x4E00, 0, 3144, 0, 0, S(BAD_RANGE), 0, 0},
};
/* clang-format on */
#undef K
#undef S

static void test_open(void) {
    size_t i;
    for (i = 0; i < COUNT_OF(open_cases); ++i) {
        const struct open_case* c = &open_cases[i];
        rmf_font font;
        current_case = c->name;
        build(big, c->size, c->magic, c->w, c->h, c->start, c->end, c->format);
        CHECK_STATUS(rmf_open(&font, big, c->size, c->w_override, c->h_override), c->want);
        if (c->want != RMF_OK) {
            CHECK(font.kind == RMF_KIND_NONE);
            continue;
        }
        CHECK(font.kind == c->kind);
        CHECK(font.glyph_bytes == c->glyph_bytes);
        CHECK(font.format == (rmf_format)c->format);
        CHECK(font.height == c->h);
        CHECK(font.width == (c->w_override ? c->w_override : c->w));
        {
            /* One byte short or long is refused; short of the fixed header
             * (9 bytes, 108 for the chip headers) reads as truncated. */
            size_t fixed = c->kind == RMF_KIND_CHIP || c->kind == RMF_KIND_TTF ? 108 : 9;
            rmf_status short_want = c->size - 1 < fixed ? RMF_TRUNCATED : RMF_BAD_LENGTH;
            build(big, c->size + 1, c->magic, c->w, c->h, c->start, c->end, c->format);
            CHECK_STATUS(rmf_open(&font, big, c->size + 1, c->w_override, c->h_override),
                         RMF_BAD_LENGTH);
            CHECK_STATUS(rmf_open(&font, big, c->size - 1, c->w_override, c->h_override),
                         short_want);
        }
    }
}

/* Files of the lookup table; each is built into its own buffer. */
enum { F_GB2312, F_BIG5, F_GBK, F_UNICODE, F_ASCII, F_STRING, F_WIDE, F_COUNT };

static uint8_t gb2312_file[264840];
static uint8_t big5_file[458824];
static uint8_t gbk_file[769224];
static uint8_t ascii_file[12264];
static uint8_t string_file[184];
static uint8_t wide_file[7401];
static rmf_font fonts[F_COUNT];
static uint8_t* file_data[F_COUNT];

static void open_lookup_files(void) {
    static const uint8_t table[10] = {0x61, 0, 0x62, 0, 0x63, 0, 0x20, 0, 0x64, 0};
    current_case = "lookup files";
    build(gb2312_file, sizeof gb2312_file, "GB", 16, 16, 0xA1A0, 0xF7FE, 0);
    build(big5_file, sizeof big5_file, "BG", 16, 16, 0xA140, 0xF9FF, 0);
    build(gbk_file, sizeof gbk_file, "GK", 16, 16, 0x8140, 0xFEBF, 0);
    build(big, 2708622, "un", 32, 32, 0x4E00, 0x9FA5, 0);
    build(ascii_file, sizeof ascii_file, "AS", 32, 32, 0xFFFF, 0xFFFF, 0);
    build(string_file, sizeof string_file, "SS", 16, 16, 5, 0x4E55, 0);
    memcpy(string_file + 9, table, sizeof table);
    build(wide_file, sizeof wide_file, "un", 44, 2, 0x4E00, 0x4E00, 0);
    file_data[F_GB2312] = gb2312_file;
    file_data[F_BIG5] = big5_file;
    file_data[F_GBK] = gbk_file;
    file_data[F_UNICODE] = big;
    file_data[F_ASCII] = ascii_file;
    file_data[F_STRING] = string_file;
    file_data[F_WIDE] = wide_file;
    CHECK_STATUS(rmf_open(&fonts[F_GB2312], gb2312_file, sizeof gb2312_file, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_open(&fonts[F_BIG5], big5_file, sizeof big5_file, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_open(&fonts[F_GBK], gbk_file, sizeof gbk_file, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_open(&fonts[F_UNICODE], big, 2708622, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_open(&fonts[F_ASCII], ascii_file, sizeof ascii_file, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_open(&fonts[F_STRING], string_file, sizeof string_file, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_open(&fonts[F_WIDE], wide_file, sizeof wide_file, 300, 0), RMF_OK);
}

/* width_at 0: the file stores no width byte for this glyph. */
struct lookup_case {
    const char* name;
    int file;
    uint16_t code;
    rmf_status want;
    size_t bits_at;
    size_t width_at;
};

static const struct lookup_case lookup_cases[] = {
    {"gb2312 B0A1", F_GB2312, 0xB0A1, RMF_OK, 48264, 0},
    {"gb2312 first glyph A1A1", F_GB2312, 0xA1A1, RMF_OK, 3144, 0},
    {"gb2312 A1FE", F_GB2312, 0xA1FE, RMF_OK, 6120, 0},
    {"gb2312 A2A1 after row seam", F_GB2312, 0xA2A1, RMF_OK, 6152, 0},
    {"gb2312 last F7FE", F_GB2312, 0xF7FE, RMF_OK, 264808, 0},
    {"gb2312 cell A0 absent", F_GB2312, 0xA1A0, RMF_NOT_FOUND, 0, 0},
    {"gb2312 cell FF absent", F_GB2312, 0xA1FF, RMF_NOT_FOUND, 0, 0},
    {"gb2312 row F8 absent", F_GB2312, 0xF8A1, RMF_NOT_FOUND, 0, 0},
    {"gb2312 row A0 absent", F_GB2312, 0xA0A1, RMF_NOT_FOUND, 0, 0},
    {"gb2312 ascii space", F_GB2312, 0x20, RMF_OK, 104, 9},
    {"gb2312 ascii A", F_GB2312, 0x41, RMF_OK, 1160, 42},
    {"gb2312 ascii tilde", F_GB2312, 0x7E, RMF_OK, 3112, 103},
    {"gb2312 0x7F absent", F_GB2312, 0x7F, RMF_NOT_FOUND, 0, 0},
    {"gb2312 0x1F absent", F_GB2312, 0x1F, RMF_NOT_FOUND, 0, 0},
    {"big5 first A140", F_BIG5, 0xA140, RMF_OK, 3144, 0},
    {"big5 A17F", F_BIG5, 0xA17F, RMF_OK, 5160, 0},
    {"big5 A1A0 follows 7F", F_BIG5, 0xA1A0, RMF_OK, 5192, 0},
    {"big5 A1A1", F_BIG5, 0xA1A1, RMF_OK, 5224, 0},
    {"big5 A1FF", F_BIG5, 0xA1FF, RMF_OK, 8232, 0},
    {"big5 A240 next row", F_BIG5, 0xA240, RMF_OK, 8264, 0},
    {"big5 last F9FF", F_BIG5, 0xF9FF, RMF_OK, 458792, 0},
    {"big5 cell 80 absent", F_BIG5, 0xA180, RMF_NOT_FOUND, 0, 0},
    {"big5 cell 9F absent", F_BIG5, 0xA19F, RMF_NOT_FOUND, 0, 0},
    {"big5 cell 3F absent", F_BIG5, 0xA13F, RMF_NOT_FOUND, 0, 0},
    {"big5 row FA absent", F_BIG5, 0xFA40, RMF_NOT_FOUND, 0, 0},
    {"big5 ascii 0", F_BIG5, 0x30, RMF_OK, 616, 25},
    {"gbk first 8140", F_GBK, 0x8140, RMF_OK, 3144, 0},
    {"gbk 817E", F_GBK, 0x817E, RMF_OK, 5128, 0},
    {"gbk 8180 follows 7E", F_GBK, 0x8180, RMF_OK, 5160, 0},
    {"gbk 81FE", F_GBK, 0x81FE, RMF_OK, 9192, 0},
    {"gbk 8240 next row", F_GBK, 0x8240, RMF_OK, 9224, 0},
    {"gbk FEFE beyond end code", F_GBK, 0xFEFE, RMF_OK, 769192, 0},
    {"gbk cell 7F absent", F_GBK, 0x817F, RMF_NOT_FOUND, 0, 0},
    {"gbk cell FF absent", F_GBK, 0x81FF, RMF_NOT_FOUND, 0, 0},
    {"gbk cell 3F absent", F_GBK, 0x813F, RMF_NOT_FOUND, 0, 0},
    {"gbk row 80 absent", F_GBK, 0x80FE, RMF_NOT_FOUND, 0, 0},
    {"unicode 4E00", F_UNICODE, 0x4E00, RMF_OK, 12265, 12264},
    {"unicode 4E01", F_UNICODE, 0x4E01, RMF_OK, 12394, 12393},
    {"unicode last 9FA5", F_UNICODE, 0x9FA5, RMF_OK, 2708494, 2708493},
    {"unicode 4DFF absent", F_UNICODE, 0x4DFF, RMF_NOT_FOUND, 0, 0},
    {"unicode 9FA6 absent", F_UNICODE, 0x9FA6, RMF_NOT_FOUND, 0, 0},
    {"unicode ascii A", F_UNICODE, 0x41, RMF_OK, 4328, 42},
    {"ascii font A", F_ASCII, 0x41, RMF_OK, 4328, 42},
    {"ascii font 4E00 absent", F_ASCII, 0x4E00, RMF_NOT_FOUND, 0, 0},
    {"ascii font 7F absent", F_ASCII, 0x7F, RMF_NOT_FOUND, 0, 0},
    {"string a", F_STRING, 0x61, RMF_OK, 20, 19},
    {"string c", F_STRING, 0x63, RMF_OK, 86, 85},
    {"string space", F_STRING, 0x20, RMF_OK, 119, 118},
    {"string d last", F_STRING, 0x64, RMF_OK, 152, 151},
    {"string e absent", F_STRING, 0x65, RMF_NOT_FOUND, 0, 0},
    {"string A absent", F_STRING, 0x41, RMF_NOT_FOUND, 0, 0},
    {"W=300 4E00", F_WIDE, 0x4E00, RMF_OK, 7325, 7324},
    {"W=300 ascii !", F_WIDE, 0x21, RMF_OK, 180, 10},
};

static void test_lookup(void) {
    size_t i;
    open_lookup_files();
    for (i = 0; i < COUNT_OF(lookup_cases); ++i) {
        const struct lookup_case* c = &lookup_cases[i];
        const uint8_t* data = file_data[c->file];
        rmf_glyph glyph;
        current_case = c->name;
        CHECK_STATUS(rmf_find_glyph(&fonts[c->file], c->code, &glyph), c->want);
        if (c->want != RMF_OK) continue;
        CHECK(glyph.bits == data + c->bits_at);
        CHECK(glyph.code == c->code);
        CHECK(glyph.has_width_byte == (c->width_at != 0));
        CHECK(glyph.width_byte == (c->width_at ? pattern(c->width_at) : 0));
    }
}

/* Tiny string fonts with one glyph each, written out byte by byte. */
static const uint8_t font_1bit_w9[] = {'S', 'S', 9, 2, 1,    0,    'U',  'N',
                                       0,   'A', 0, 7, 0x80, 0xFF, 0x01, 0x00};
static const uint8_t font_2bit_w10[] = {'S', 'S', 10, 1, 1,    0,    'U', 'N',
                                        1,   'B', 0,  9, 0xE4, 0x1B, 0xCF};
static const uint8_t font_4bit_w3[] = {'S', 'S', 3, 2, 1,    0,    'U',  'N',
                                       2,   'C', 0, 3, 0xF0, 0x8A, 0x01, 0x23};
static const uint8_t font_8bit_w2[] = {'S', 'S', 2, 2, 1,    0,    'U',  'N',
                                       3,   'D', 0, 2, 0x00, 0x80, 0xFF, 0x12};
static const uint8_t font_argb_w5[] = {'S',  'S',  5,    1,    1,    0,    'U',  'N',
                                       4,    'E',  0,    5,    0xFF, 0xFF, 0x88, 0x88,
                                       0x0F, 0x00, 0xF0, 0x00, 0x00, 0x0F};

/* raw -1: position outside the cell. */
struct pixel_case {
    const char* name;
    const uint8_t* file;
    size_t size;
    uint16_t code;
    unsigned x, y;
    int raw;
    int gray;
};

#define FONT(f) f, sizeof f
static const struct pixel_case pixel_cases[] = {
    {"1bit x0", FONT(font_1bit_w9), 'A', 0, 0, 1, 255},
    {"1bit x1", FONT(font_1bit_w9), 'A', 1, 0, 0, 0},
    {"1bit x7", FONT(font_1bit_w9), 'A', 7, 0, 0, 0},
    {"1bit x8 top bit of padding byte", FONT(font_1bit_w9), 'A', 8, 0, 1, 255},
    {"1bit row 1 x7", FONT(font_1bit_w9), 'A', 7, 1, 1, 255},
    {"1bit row 1 x0", FONT(font_1bit_w9), 'A', 0, 1, 0, 0},
    {"1bit row 1 x8", FONT(font_1bit_w9), 'A', 8, 1, 0, 0},
    {"1bit padding x9", FONT(font_1bit_w9), 'A', 9, 0, -1, 0},
    {"1bit below cell", FONT(font_1bit_w9), 'A', 0, 2, -1, 0},
    {"2bit x0", FONT(font_2bit_w10), 'B', 0, 0, 3, 255},
    {"2bit x1", FONT(font_2bit_w10), 'B', 1, 0, 2, 170},
    {"2bit x2", FONT(font_2bit_w10), 'B', 2, 0, 1, 85},
    {"2bit x3", FONT(font_2bit_w10), 'B', 3, 0, 0, 0},
    {"2bit x4", FONT(font_2bit_w10), 'B', 4, 0, 0, 0},
    {"2bit x7", FONT(font_2bit_w10), 'B', 7, 0, 3, 255},
    {"2bit x8", FONT(font_2bit_w10), 'B', 8, 0, 3, 255},
    {"2bit x9", FONT(font_2bit_w10), 'B', 9, 0, 0, 0},
    {"2bit padding x10", FONT(font_2bit_w10), 'B', 10, 0, -1, 0},
    {"4bit x0", FONT(font_4bit_w3), 'C', 0, 0, 15, 255},
    {"4bit x1", FONT(font_4bit_w3), 'C', 1, 0, 0, 0},
    {"4bit x2", FONT(font_4bit_w3), 'C', 2, 0, 8, 0x88},
    {"4bit row 1 x1", FONT(font_4bit_w3), 'C', 1, 1, 1, 0x11},
    {"4bit row 1 x2", FONT(font_4bit_w3), 'C', 2, 1, 2, 0x22},
    {"4bit padding x3", FONT(font_4bit_w3), 'C', 3, 0, -1, 0},
    {"8bit x1", FONT(font_8bit_w2), 'D', 1, 0, 0x80, 0x80},
    {"8bit row 1 x0", FONT(font_8bit_w2), 'D', 0, 1, 0xFF, 0xFF},
    {"8bit row 1 x1", FONT(font_8bit_w2), 'D', 1, 1, 0x12, 0x12},
    {"8bit x2 outside", FONT(font_8bit_w2), 'D', 2, 0, -1, 0},
    {"argb white", FONT(font_argb_w5), 'E', 0, 0, 0xFFFF, 255},
    {"argb gray 88", FONT(font_argb_w5), 'E', 1, 0, 0x8888, 0x88},
    {"argb blue only", FONT(font_argb_w5), 'E', 2, 0, 0x000F, 39},
    {"argb green only", FONT(font_argb_w5), 'E', 3, 0, 0x00F0, 127},
    {"argb red only", FONT(font_argb_w5), 'E', 4, 0, 0x0F00, 87},
    {"argb x5 outside", FONT(font_argb_w5), 'E', 5, 0, -1, 0},
};

static void test_pixels(void) {
    size_t i;
    for (i = 0; i < COUNT_OF(pixel_cases); ++i) {
        const struct pixel_case* c = &pixel_cases[i];
        rmf_font font;
        rmf_glyph glyph;
        uint16_t raw = 0xBEEF;
        uint8_t gray = 0x5A;
        current_case = c->name;
        CHECK_STATUS(rmf_open(&font, c->file, c->size, 0, 0), RMF_OK);
        CHECK_STATUS(rmf_find_glyph(&font, c->code, &glyph), RMF_OK);
        CHECK(glyph.bits == c->file + 12);
        CHECK(glyph.width_byte == c->file[11]);
        if (c->raw < 0) {
            CHECK_STATUS(rmf_glyph_raw(&glyph, c->x, c->y, &raw), RMF_OUT_OF_RANGE);
            CHECK_STATUS(rmf_glyph_pixel(&glyph, c->x, c->y, &gray), RMF_OUT_OF_RANGE);
            continue;
        }
        CHECK_STATUS(rmf_glyph_raw(&glyph, c->x, c->y, &raw), RMF_OK);
        CHECK(raw == c->raw);
        CHECK_STATUS(rmf_glyph_pixel(&glyph, c->x, c->y, &gray), RMF_OK);
        CHECK(gray == c->gray);
    }
}

static void test_string_first_occurrence(void) {
    static const uint8_t font_data[] = {'S',  'S', 1,    1, 3, 0,    'U', 'N',  0, 0x61, 0,
                                        0x62, 0,   0x61, 0, 1, 0x80, 2,   0x00, 3, 0x40};
    rmf_font font;
    rmf_glyph glyph;
    current_case = "string table repeats a code";
    CHECK_STATUS(rmf_open(&font, font_data, sizeof font_data, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_find_glyph(&font, 0x61, &glyph), RMF_OK);
    CHECK(glyph.bits == font_data + 16);
    CHECK(glyph.width_byte == 1);
    CHECK_STATUS(rmf_find_glyph(&font, 0x62, &glyph), RMF_OK);
    CHECK(glyph.bits == font_data + 18);
    CHECK(glyph.width_byte == 2);
}

static void chip_header(uint8_t* h, const char* magic, const char* text) {
    static const uint8_t family[] = {0xCB, 0xCE, 0xCC, 0xE5, 0x00};
    static const uint8_t fixed[] = {32, 32, 0xA0, 0xA1, 0xFE, 0xF7, 0x00};
    memset(h, 0xFF, 108);
    h[0] = (uint8_t)magic[0];
    h[1] = (uint8_t)magic[1];
    memcpy(h + 2, fixed, sizeof fixed);
    memcpy(h + 9, text, strlen(text) + 1);
    h[26] = 0x87;
    h[27] = 0x14;
    h[28] = 0x00;
    h[29] = 0xF9;
    memcpy(h + 32, family, sizeof family);
}

static void test_headers(void) {
    uint8_t h[108];
    rmf_font font;
    rmf_header_info info;
    rmf_glyph glyph;

    current_case = "chip header fields";
    chip_header(h, "ZQ", "ZQ7MRPE4KHC");
    CHECK_STATUS(rmf_open(&font, h, sizeof h, 0, 0), RMF_OK);
    CHECK(font.kind == RMF_KIND_CHIP);
    CHECK(font.width == 32 && font.height == 32);
    CHECK(font.start_code == 0xA1A0 && font.end_code == 0xF7FE);
    CHECK_STATUS(rmf_header_fields(&font, &info), RMF_OK);
    CHECK(info.flags == 0x87);
    CHECK(info.point_size == 20);
    CHECK(info.x0 == 0);
    CHECK(info.y0 == -7);
    CHECK(info.text == h + 9 && info.text_length == 11);
    CHECK(info.family == h + 32 && info.family_length == 4);
    CHECK_STATUS(rmf_find_glyph(&font, 0xB0A1, &glyph), RMF_NOT_FOUND);
    CHECK_STATUS(rmf_find_glyph(&font, 0x41, &glyph), RMF_NOT_FOUND);

    current_case = "ttf header, family without terminator";
    chip_header(h, "TF", "KV7104 TTF Font");
    memset(h + 32, 'x', 76);
    CHECK_STATUS(rmf_open(&font, h, sizeof h, 0, 0), RMF_OK);
    CHECK(font.kind == RMF_KIND_TTF);
    CHECK_STATUS(rmf_header_fields(&font, &info), RMF_OK);
    CHECK(info.text_length == 15);
    CHECK(info.family_length == 76);

    current_case = "header with W byte 0 opens";
    h[2] = 0;
    CHECK_STATUS(rmf_open(&font, h, sizeof h, 0, 0), RMF_OK);
    CHECK(font.width == 0);

    current_case = "header fields of a library";
    CHECK_STATUS(rmf_open(&font, font_8bit_w2, sizeof font_8bit_w2, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_header_fields(&font, &info), RMF_BAD_ARGUMENT);
}

static void test_bad_arguments(void) {
    rmf_font font;
    rmf_glyph glyph;
    uint8_t gray;
    uint16_t raw;
    current_case = "bad arguments";
    CHECK_STATUS(rmf_open(NULL, font_8bit_w2, sizeof font_8bit_w2, 0, 0), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_open(&font, NULL, 16, 0, 0), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_find_glyph(&font, 0x41, &glyph), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_open(&font, font_8bit_w2, sizeof font_8bit_w2, 0, 0), RMF_OK);
    CHECK_STATUS(rmf_find_glyph(&font, 'D', NULL), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_find_glyph(&font, 'D', &glyph), RMF_OK);
    CHECK_STATUS(rmf_glyph_pixel(&glyph, 0, 0, NULL), RMF_BAD_ARGUMENT);
    CHECK_STATUS(rmf_glyph_raw(NULL, 0, 0, &raw), RMF_BAD_ARGUMENT);
    memset(&glyph, 0, sizeof glyph);
    CHECK_STATUS(rmf_glyph_pixel(&glyph, 0, 0, &gray), RMF_BAD_ARGUMENT);
    /* A glyph edited by hand to claim a larger cell stays inside its bytes. */
    CHECK_STATUS(rmf_find_glyph(&font, 'D', &glyph), RMF_OK);
    glyph.height = 100;
    CHECK_STATUS(rmf_glyph_raw(&glyph, 0, 2, &raw), RMF_OUT_OF_RANGE);
}

int main(void) {
    test_open();
    test_lookup();
    test_pixels();
    test_string_first_occurrence();
    test_headers();
    test_bad_arguments();
    printf("reader: %d checks\n", checks);
    printf("%d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
