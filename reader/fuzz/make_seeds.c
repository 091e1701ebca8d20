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

static size_t glyph_bytes(unsigned w, unsigned h, unsigned format) {
    static const unsigned per_byte[4] = {8, 4, 2, 1};
    if (format == 4) return 2u * w * h;
    return ((w + per_byte[format] - 1) / per_byte[format]) * h;
}

static void fill(size_t size) {
    size_t i;
    for (i = 0; i < size; ++i) buf[i] = (unsigned char)(i * 37u + 11u);
}

static void header(const char* magic, unsigned w, unsigned h, unsigned start, unsigned end,
                   unsigned format) {
    buf[0] = (unsigned char)magic[0];
    buf[1] = (unsigned char)magic[1];
    buf[2] = (unsigned char)w;
    buf[3] = (unsigned char)h;
    buf[4] = (unsigned char)(start & 0xFF);
    buf[5] = (unsigned char)(start >> 8);
    buf[6] = (unsigned char)(end & 0xFF);
    buf[7] = (unsigned char)(end >> 8);
    buf[8] = (unsigned char)format;
}

static int save(const char* dir, const char* name, size_t size) {
    char path[512];
    FILE* f;
    if (size > sizeof buf) return 1;
    sprintf(path, "%.400s/%s", dir, name);
    f = fopen(path, "wb");
    if (f == NULL || fwrite(buf, 1, size, f) != size) {
        fprintf(stderr, "cannot write %s\n", path);
        if (f) fclose(f);
        return 1;
    }
    fclose(f);
    return 0;
}

/* A library of one row (or a few Unicode codes) with 1 x 1 cells. */
static int library(const char* dir, const char* name, const char* magic, unsigned start,
                   unsigned end, unsigned cells, unsigned format) {
    size_t s = glyph_bytes(1, 1, format);
    size_t size = 104 + (95 + cells) * s;
    if (magic[0] == 'u') size = 104 + 95 * s + cells * (s + 1);
    fill(size);
    header(magic, 1, 1, start, end, format);
    return save(dir, name, size);
}

static int chip(const char* dir, const char* name, const char* magic, const char* text) {
    static const unsigned char family[] = {0xCB, 0xCE, 0xCC, 0xE5, 0x00};
    memset(buf, 0xFF, 108);
    header(magic, 32, 32, 0xA1A0, 0xF7FE, 0);
    memcpy(buf + 9, text, strlen(text) + 1);
    buf[26] = 0x80;
    buf[27] = 20;
    buf[28] = 0;
    buf[29] = 0xF9;
    memcpy(buf + 32, family, sizeof family);
    return save(dir, name, 108);
}

int main(int argc, char** argv) {
    static const unsigned short codes[4] = {0x61, 0x4E00, 0x20, 0xB0A1};
    const char* dir;
    unsigned format;
    int failed = 0;
    size_t i, s, size;
    char name[64];
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS-DIR\n", argv[0]);
        return 1;
    }
    dir = argv[1];
    failed |= library(dir, "gb2312_1bit.bin", "GB", 0xB0A1, 0xB0FE, 94, 0);
    failed |= library(dir, "big5_1bit.bin", "BG", 0xA440, 0xA4FF, 160, 0);
    failed |= library(dir, "gbk_1bit.bin", "GK", 0x8140, 0x81FE, 190, 0);
    failed |= library(dir, "unicode_1bit.bin", "un", 0x4E00, 0x4E03, 4, 0);
    failed |= library(dir, "ascii_1bit.bin", "AS", 0xFFFF, 0xFFFF, 0, 0);
    for (format = 1; format <= 4; ++format) {
        sprintf(name, "unicode_format%u.bin", format);
        failed |= library(dir, name, "un", 0x0041, 0x0043, 3, format);
        sprintf(name, "ascii_format%u.bin", format);
        failed |= library(dir, name, "AS", 0xFFFF, 0xFFFF, 0, format);
    }

    /* String fonts of 4 codes with 5 x 3 cells in every format. */
    for (format = 0; format <= 4; ++format) {
        s = glyph_bytes(5, 3, format);
        size = 9 + 4 * (s + 3);
        fill(size);
        header("SS", 5, 3, 4, 0x4E55, format);
        for (i = 0; i < 4; ++i) {
            buf[9 + 2 * i] = (unsigned char)(codes[i] & 0xFF);
            buf[10 + 2 * i] = (unsigned char)(codes[i] >> 8);
        }
        sprintf(name, "string_format%u.bin", format);
        failed |= save(dir, name, size);
    }

    failed |= chip(dir, "chip_header.bin", "ZQ", "ZQ7MRPE4KHC");
    failed |= chip(dir, "ttf_header.bin", "TF", "KV7104 TTF Font");
    return failed ? 1 : 0;
}
