/* SPDX-License-Identifier: MIT */
/*
 * decode_bench.c - decoding speed of a compressed font file: looks up and
 * decodes every glyph of the file (codes 0000..FFFF that it holds) through
 * rmf_read_glyph, in memory, and prints the processor time per glyph, best
 * of 5 rounds. Processor time, not wall time, so that other programs on the
 * machine do not count. Not a test.
 *
 *     runemill_decode_bench FONT.bin
 */
#define _POSIX_C_SOURCE 199309L

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "runemill_font.h"

#define ROUNDS 5

static double cpu_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return (double)t.tv_sec * 1e9 + (double)t.tv_nsec;
}

int main(int argc, char** argv) {
    static uint8_t buffer[65536];
    FILE* file;
    uint8_t* data;
    long size;
    rmf_font font;
    rmf_glyph glyph;
    double best = 1e300;
    unsigned long glyphs = 0, ink = 0;
    unsigned code, i;
    int round;

    if (argc != 2 || (file = fopen(argv[1], "rb")) == NULL) {
        fprintf(stderr, "usage: runemill_decode_bench FONT.bin\n");
        return 1;
    }
    fseek(file, 0, SEEK_END);
    size = ftell(file);
    rewind(file);
    data = malloc((size_t)size);
    if (data == NULL || fread(data, 1, (size_t)size, file) != (size_t)size) return 1;
    fclose(file);
    if (rmf_open(&font, data, (size_t)size, 0, 0) != RMF_OK || font.glyph_bytes > sizeof buffer) {
        fprintf(stderr, "%s: not a font this benchmark reads\n", argv[1]);
        return 1;
    }
    for (round = 0; round < ROUNDS; ++round) {
        double t0 = cpu_ns(), ns;
        glyphs = 0;
        for (code = 0; code <= 0xFFFFu; ++code) {
            if (rmf_read_glyph(&font, (uint16_t)code, &glyph, buffer, sizeof buffer) != RMF_OK)
                continue;
            ++glyphs;
            for (i = 0; i < glyph.size; ++i) ink += buffer[i];
        }
        ns = (cpu_ns() - t0) / (double)(glyphs ? glyphs : 1);
        if (ns < best) best = ns;
    }
    printf("%s: %lu glyphs, %.2f us per glyph (%s, checksum %lu)\n", argv[1], glyphs, best / 1000.0,
           font.compressed ? "compressed" : "plain", ink);
    free(data);
    return 0;
}
