/*
 * fuzz_reader.c - libFuzzer target of the font reader. Opens the input as a
 * font with and without cell size overrides, looks up fixed codes and codes
 * taken from the input, and reads every pixel of what it finds. Any read
 * outside the input is caught by AddressSanitizer.
 *
 * The same lookups go through the callback API as well, from a read function
 * that aborts when asked for bytes outside the file and fails one call in
 * some runs: it must find what the in-memory API finds, byte for byte, or
 * report RMF_READ_ERROR for the failed call.
 *
 * Compressed files ("RZ") are decoded by both APIs into buffers of their
 * own: a damaged index or code must end in a status, inside the buffers.
 */
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "runemill_font.h"

/* Keeps a large W x H from making one input take seconds. */
#define MAX_PIXELS_PER_GLYPH 4096u

static volatile unsigned sink;

static void read_glyph(const rmf_glyph* glyph) {
    unsigned x, y, read = 0;
    uint8_t gray;
    uint16_t raw;
    for (y = 0; y <= glyph->height && read < MAX_PIXELS_PER_GLYPH; ++y) {
        for (x = 0; x <= glyph->width && read < MAX_PIXELS_PER_GLYPH; ++x, ++read) {
            /* x == W and y == H probe the first positions outside the cell. */
            if (rmf_glyph_pixel(glyph, x, y, &gray) == RMF_OK) sink += gray;
            if (rmf_glyph_raw(glyph, x, y, &raw) == RMF_OK) sink += raw;
        }
    }
    sink += glyph->width_byte;
}

struct source {
    const uint8_t* data;
    size_t size;
    unsigned calls, fail_at; /* fail_at 0: never */
};

static size_t source_read(void* context, size_t offset, uint8_t* buffer, size_t length) {
    struct source* s = context;
    if (length == 0 || offset > s->size || s->size - offset < length) abort();
    if (++s->calls == s->fail_at) return length / 2u;
    memcpy(buffer, s->data + offset, length);
    return length;
}

/* The font again, opened through the callback API, or NULL. */
static const rmf_font* read_font;

/* Finds code through both APIs; they must agree. */
static rmf_status find(const rmf_font* font, uint16_t code, rmf_glyph* glyph) {
    static uint8_t buffer[4096], decoded[4096];
    rmf_glyph copy;
    rmf_status status = font->compressed
                            ? rmf_read_glyph(font, code, glyph, decoded, sizeof decoded)
                            : rmf_find_glyph(font, code, glyph);
    rmf_status read_status;
    if (read_font == NULL) return status;
    read_status = rmf_read_glyph(read_font, code, &copy, buffer, sizeof buffer);
    if (read_status == RMF_OK) {
        if (status != RMF_OK || memcmp(copy.bits, glyph->bits, glyph->size) != 0 ||
            copy.width_byte != glyph->width_byte || copy.size != glyph->size)
            abort();
    } else if (read_status != RMF_READ_ERROR &&
               !(read_status == RMF_BAD_ARGUMENT && read_font->glyph_bytes > sizeof buffer) &&
               read_status != status) {
        abort();
    }
    return status;
}

static void exercise(const rmf_font* font, const uint8_t* data, size_t size) {
    static const uint16_t fixed[] = {0x0000, 0x0020, 0x0041, 0x007E, 0x007F, 0x8140, 0x817E,
                                     0x817F, 0x8180, 0xA140, 0xA17F, 0xA1A0, 0xA1A1, 0xB0A1,
                                     0xF7FE, 0xF9FF, 0xFEFE, 0x4E00, 0x9FA5, 0xFFFF};
    rmf_glyph glyph;
    rmf_header_info info;
    size_t i;
    for (i = 0; i < sizeof fixed / sizeof fixed[0]; ++i)
        if (find(font, fixed[i], &glyph) == RMF_OK) read_glyph(&glyph);
    /* Codes taken from the input: header codes, string table entries. */
    for (i = 0; i + 1 < size && i < 64; i += 2) {
        uint16_t code = (uint16_t)(data[i] | (data[i + 1] << 8));
        if (find(font, code, &glyph) == RMF_OK) read_glyph(&glyph);
    }
    find(font, font->start_code, &glyph);
    find(font, font->end_code, &glyph);
    if (rmf_header_fields(font, &info) == RMF_OK) {
        for (i = 0; i < info.text_length; ++i) sink += info.text[i];
        for (i = 0; i < info.family_length; ++i) sink += info.family[i];
    }
}

int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rmf_font font, by_read;
    /* The last byte picks the read that fails, if any. */
    struct source source = {data, size, 0, 0};
    rmf_status status = rmf_open(&font, data, size, 0, 0), read_status;
    read_font = NULL;
    if (size > 0) source.fail_at = data[size - 1] % 16u;
    /* Opening reads once, or three times for a compressed file; a read that
     * failed may end it with RMF_READ_ERROR. */
    read_status = rmf_open_read(&by_read, source_read, &source, size, 0, 0);
    if (read_status != status &&
        !(read_status == RMF_READ_ERROR && source.fail_at != 0u && source.calls >= source.fail_at))
        abort();
    if (status == RMF_OK && by_read.kind != RMF_KIND_NONE) read_font = &by_read;
    if (status == RMF_OK) exercise(&font, data, size);
    read_font = NULL;
    if (size >= 4) {
        /* Overrides that agree with the header bytes (W, H + 256) and ones
         * that do not. */
        unsigned w = data[2] + 256u, h = data[3] + 256u;
        if (rmf_open(&font, data, size, w, 0) == RMF_OK) exercise(&font, data, size);
        if (rmf_open(&font, data, size, 0, h) == RMF_OK) exercise(&font, data, size);
        if (rmf_open(&font, data, size, w + 1u, h) == RMF_OK) exercise(&font, data, size);
        if (rmf_open(&font, data, size, 0xFFFFFF00u | data[2], 0) == RMF_OK)
            exercise(&font, data, size);
    }
    return 0;
}
