/* SPDX-License-Identifier: MIT */
/*
 * make_seeds.c - writes the fuzzer's seed corpus: tiny valid files of every
 * kind and pixel format (a few hundred bytes each).
 *
 *     runemill_reader_make_seeds reader/fuzz/corpus
 */
#include <stdio.h>
#include <string.h>

static unsigned char buf[1024];
static const char* dir;
static int failed;

/* The bytes of a W x H glyph in format 0 (1 bit a pixel) to 4 (aRGB4444, 2 bytes). */
static size_t glyph_bytes(unsigned w, unsigned h, unsigned format) {
    return format == 4 ? 2u * w * h : (w * (1u << format) + 7u) / 8u * h;
}

/* size bytes of a pattern under the 9-byte header. */
static void begin(size_t size, const char* magic, unsigned w, unsigned h, unsigned start,
                  unsigned end, unsigned format) {
    const unsigned header[9] = {(unsigned char)magic[0],
                                (unsigned char)magic[1],
                                w,
                                h,
                                start & 0xFF,
                                start >> 8,
                                end & 0xFF,
                                end >> 8,
                                format};
    size_t i;
    for (i = 0; i < size; ++i) buf[i] = (unsigned char)(i < 9 ? header[i] : i * 37u + 11u);
}

static void save(const char* name, size_t size) {
    char path[512];
    FILE* f;
    sprintf(path, "%.400s/%s", dir, name);
    f = fopen(path, "wb");
    if (f != NULL && fwrite(buf, 1, size, f) == size && fclose(f) == 0) return;
    fprintf(stderr, "cannot write %s\n", path);
    failed = 1;
}

/* A library of one row (or a few Unicode codes, each with its width byte) with 1 x 1 cells. */
static void library(const char* name, const char* magic, unsigned start, unsigned end,
                    unsigned cells, unsigned format) {
    const size_t s = glyph_bytes(1, 1, format);
    const size_t size = 104 + 95 * s + cells * (s + (magic[0] == 'u'));
    begin(size, magic, 1, 1, start, end, format);
    save(name, size);
}

static void chip(const char* name, const char* magic, const char* text) {
    begin(9, magic, 32, 32, 0xA1A0, 0xF7FE, 0);
    memset(buf + 9, 0xFF, 99);
    memcpy(buf + 9, text, strlen(text) + 1);
    memcpy(buf + 26, "\x80\x14\x00\xF9", 4);     /* flags, point size 20, x0 0, y0 -7 */
    memcpy(buf + 32, "\xCB\xCE\xCC\xE5\x00", 5); /* the family in GBK */
    save(name, 108);
}

int main(int argc, char** argv) {
    static const unsigned char codes[8] = {0x61, 0, 0x00, 0x4E, 0x20, 0, 0xA1, 0xB0};
    unsigned format;
    size_t s;
    char name[64];
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS-DIR\n", argv[0]);
        return 1;
    }
    dir = argv[1];
    library("gb2312_1bit.bin", "GB", 0xB0A1, 0xB0FE, 94, 0);
    library("big5_1bit.bin", "BG", 0xA440, 0xA4FF, 160, 0);
    library("gbk_1bit.bin", "GK", 0x8140, 0x81FE, 190, 0);
    library("unicode_1bit.bin", "un", 0x4E00, 0x4E03, 4, 0);
    library("ascii_1bit.bin", "AS", 0xFFFF, 0xFFFF, 0, 0);
    for (format = 1; format <= 4; ++format) {
        sprintf(name, "unicode_format%u.bin", format);
        library(name, "un", 0x0041, 0x0043, 3, format);
        sprintf(name, "ascii_format%u.bin", format);
        library(name, "AS", 0xFFFF, 0xFFFF, 0, format);
    }
    /* String fonts of the 4 codes a, 4E00, space, B0A1 with 5 x 3 cells in every format. */
    for (format = 0; format <= 4; ++format) {
        s = 9 + 4 * (glyph_bytes(5, 3, format) + 3);
        begin(s, "SS", 5, 3, 4, 0x4E55, format);
        memcpy(buf + 9, codes, sizeof codes);
        sprintf(name, "string_format%u.bin", format);
        save(name, s);
    }
    chip("chip_header.bin", "ZQ", "ZQ7MRPE4KHC");
    chip("ttf_header.bin", "TF", "KV7104 TTF Font");
    return failed;
}
