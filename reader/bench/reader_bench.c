/* SPDX-License-Identifier: MIT */
/*
 * reader_bench.c - speed of the font reader on a full GBK 16 x 16 1bits
 * library (rows 0x81..0xFE, 769224 bytes) built in memory with synthetic
 * glyph bytes. Prints nanoseconds per lookup and per pixel; not a test.
 */
#define _POSIX_C_SOURCE 199309L

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "runemill_font.h"

#define GBK_SIZE (104u + (95u + 126u * 190u) * 32u)
#define ROUNDS 5

static uint8_t font_bin[GBK_SIZE];

static double now_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e9 + (double)t.tv_nsec;
}

static void build_gbk(void) {
    static const uint8_t header[9] = {'G', 'K', 16, 16, 0x40, 0x81, 0xBF, 0xFE, 0};
    uint32_t seed = 12345u;
    size_t i;
    for (i = 0; i < GBK_SIZE; ++i) {
        seed = seed * 1103515245u + 12345u;
        font_bin[i] = (uint8_t)(seed >> 16);
    }
    for (i = 0; i < sizeof header; ++i) font_bin[i] = header[i];
}

/* Every code of every stored row: cells 0x40..0x7E and 0x80..0xFE. */
static int next_cell(unsigned* cell) {
    if (*cell == 0x7E)
        *cell = 0x80;
    else if (*cell == 0xFE)
        return 0;
    else
        ++*cell;
    return 1;
}

int main(void) {
    rmf_font font;
    rmf_glyph glyph;
    unsigned row, cell, x, y;
    unsigned long lookups = 0, pixels = 0, ink = 0, missing = 0;
    double t0, lookup_ns = 1e300, pixel_ns = 1e300;
    int round;
    uint8_t gray;

    build_gbk();
    if (rmf_open(&font, font_bin, GBK_SIZE, 0, 0) != RMF_OK) {
        fprintf(stderr, "the synthetic GBK file does not open\n");
        return 1;
    }

    for (round = 0; round < ROUNDS; ++round) {
        double ns;
        lookups = 0;
        t0 = now_ns();
        for (row = 0x81; row <= 0xFE; ++row) {
            cell = 0x40;
            do {
                if (rmf_find_glyph(&font, (uint16_t)(row << 8 | cell), &glyph) == RMF_OK)
                    ink += glyph.bits[0];
                else
                    ++missing;
                ++lookups;
            } while (next_cell(&cell));
        }
        ns = (now_ns() - t0) / (double)lookups;
        if (ns < lookup_ns) lookup_ns = ns;

        pixels = 0;
        t0 = now_ns();
        for (row = 0x81; row <= 0xFE; ++row) {
            cell = 0x40;
            do {
                if (rmf_find_glyph(&font, (uint16_t)(row << 8 | cell), &glyph) != RMF_OK) continue;
                for (y = 0; y < glyph.height; ++y)
                    for (x = 0; x < glyph.width; ++x)
                        if (rmf_glyph_pixel(&glyph, x, y, &gray) == RMF_OK) ink += gray;
                pixels += (unsigned long)glyph.width * glyph.height;
            } while (next_cell(&cell));
        }
        ns = (now_ns() - t0) / (double)pixels;
        if (ns < pixel_ns) pixel_ns = ns;
    }

    printf("GBK 16x16 1bits, %u bytes, best of %d rounds\n", GBK_SIZE, ROUNDS);
    printf("lookups: %lu per round, %.2f ns per lookup\n", lookups, lookup_ns);
    printf("pixels:  %lu per round, %.2f ns per pixel (lookup included once per glyph)\n", pixels,
           pixel_ns);
    printf("(checksum %lu, missing %lu)\n", ink, missing);
    return missing == 0 ? 0 : 1;
}
