/* SPDX-License-Identifier: MIT */
/*
 * draw_glyph.c - drawing one character of a Runemill font on a display.
 *
 * draw_code() is what firmware would do: the font lives in flash as a
 * const array, display_pixel() is the display driver. Here, on a desktop,
 * display_pixel() prints the glyph as text and main() reads the font from a
 * file:   runemill_reader_example font.bin [code-in-hex]
 */
#include <stdio.h>
#include <stdlib.h>

#include "runemill_font.h"

/* The display driver of a real board writes gray at (x, y); this one
 * prints one character per pixel, row after row. */
static void display_pixel(unsigned x, unsigned y, uint8_t gray) {
    (void)x;
    (void)y;
    putchar(gray >= 192 ? '#' : gray >= 64 ? '+' : '.');
}

static void display_end_row(void) { putchar('\n'); }

/* Draws the glyph of code at (left, top); returns the reader's status. */
static rmf_status draw_code(const uint8_t* font_bin, size_t font_size, uint16_t code, unsigned left,
                            unsigned top) {
    rmf_font font;
    rmf_glyph glyph;
    rmf_status status;
    unsigned x, y;
    uint8_t gray;

    status = rmf_open(&font, font_bin, font_size, 0, 0); /* W, H from the header */
    if (status != RMF_OK) return status;
    status = rmf_find_glyph(&font, code, &glyph);
    if (status != RMF_OK) return status;

    for (y = 0; y < glyph.height; ++y) {
        for (x = 0; x < glyph.width; ++x) {
            status = rmf_glyph_pixel(&glyph, x, y, &gray);
            if (status != RMF_OK) return status;
            display_pixel(left + x, top + y, gray);
        }
        display_end_row();
    }
    if (glyph.has_width_byte) printf("width byte: %u\n", (unsigned)glyph.width_byte);
    return RMF_OK;
}

/* Desktop stand-in for the font array in flash. */
static uint8_t* read_file(const char* path, size_t* size) {
    FILE* f = fopen(path, "rb");
    uint8_t* data = NULL;
    long length;
    if (f == NULL) return NULL;
    if (fseek(f, 0, SEEK_END) == 0 && (length = ftell(f)) >= 0 && fseek(f, 0, SEEK_SET) == 0) {
        data = malloc(length > 0 ? (size_t)length : 1u);
        if (data != NULL && fread(data, 1, (size_t)length, f) != (size_t)length) {
            free(data);
            data = NULL;
        }
        *size = (size_t)length;
    }
    fclose(f);
    return data;
}

int main(int argc, char** argv) {
    size_t size = 0;
    uint8_t* data;
    uint16_t code = 0xB0A1;
    rmf_status status;
    if (argc < 2) {
        fprintf(stderr, "usage: %s FONT.bin [CODE-HEX]\n", argv[0]);
        return 1;
    }
    if (argc > 2) code = (uint16_t)strtoul(argv[2], NULL, 16);
    data = read_file(argv[1], &size);
    if (data == NULL) {
        fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    status = draw_code(data, size, code, 0, 0);
    free(data);
    if (status != RMF_OK) {
        fprintf(stderr, "%s\n", rmf_status_name(status));
        return 1;
    }
    return 0;
}
