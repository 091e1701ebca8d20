/*
 * firmware.c - a Cortex-M3 firmware that draws glyphs of a font in flash
 * through both APIs of the reader, in the text form of
 * `runemill-cli inspect FONT --glyph CODE`.
 *
 * The font is linked in twice: font_bin, read in place (rmf_open), and
 * spi_image, which stands for an external SPI flash that the firmware reaches
 * only through spi_read (rmf_open_read). The codes come from the build:
 * -DFIRMWARE_CODES=0xB0A1,0x41. For each code it prints "== XXXX flash" and
 * the glyph found in place, then "== XXXX read", the glyph read through the
 * callback, and a line "spi: N reads, B bytes". A compressed font's glyphs
 * are decoded from flash into a RAM buffer (rmf_read_glyph) instead.
 */
#include <stddef.h>
#include <stdint.h>

#include "runemill_font.h"
#include "semihosting.h"

#ifndef FIRMWARE_CODES
#error "give the codes to draw: -DFIRMWARE_CODES=0xB0A1,0x41"
#endif

extern const uint8_t font_bin[];
extern const size_t font_bin_size;
extern const uint8_t spi_image[];
extern const size_t spi_image_size;

static const uint16_t codes[] = {FIRMWARE_CODES};

/* Longest row of text art that can be printed, and the largest glyph that
 * can be read through the callback. */
#define MAX_WIDTH 512u
#define MAX_GLYPH_BYTES 8192u

static char line[MAX_WIDTH + 40u];
static uint8_t glyph_buffer[MAX_GLYPH_BYTES];

/* The SPI flash driver: one transfer per call, counted. */
struct spi_counter {
    unsigned reads;
    size_t bytes;
};

static size_t spi_read(void* context, size_t offset, uint8_t* buffer, size_t length) {
    struct spi_counter* counter = context;
    size_t i;
    ++counter->reads;
    counter->bytes += length;
    if (offset > spi_image_size || spi_image_size - offset < length) return 0;
    for (i = 0; i < length; ++i) buffer[i] = spi_image[offset + i];
    return length;
}

static char* put_text(char* out, const char* text) {
    while (*text) *out++ = *text++;
    return out;
}

static char* put_decimal(char* out, unsigned long n) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = (char)('0' + n % 10u);
        n /= 10u;
    } while (n != 0u);
    while (count > 0) *out++ = digits[--count];
    return out;
}

/* Four upper-case hex digits, as inspect writes codes. */
static char* put_code(char* out, uint16_t code) {
    static const char hex[] = "0123456789ABCDEF";
    int shift;
    for (shift = 12; shift >= 0; shift -= 4) *out++ = hex[(code >> shift) & 0xFu];
    return out;
}

static void end_line(char* out) {
    *out++ = '\n';
    *out = '\0';
    host_write(line);
}

static char art_char(uint8_t gray) {
    if (gray == 0u) return ' ';
    if (gray < 96u) return '.';
    if (gray < 192u) return ':';
    return '#';
}

/* What inspect --glyph prints for a glyph found, or the status of a lookup
 * that failed; returns non-zero for a failure. */
static int print_glyph(uint16_t code, rmf_status status, const rmf_glyph* glyph) {
    static const char* const formats[] = {"1bits", "2bits", "4bits", "8bits", "aRGB4444"};
    char* out = put_code(put_text(line, "glyph "), code);
    unsigned x, y;
    if (status != RMF_OK) {
        end_line(put_text(put_text(out, ": "), rmf_status_name(status)));
        return 1;
    }
    if (glyph->width > MAX_WIDTH) {
        end_line(put_text(out, ": too wide to print"));
        return 1;
    }
    out = put_decimal(put_text(out, ": "), glyph->width);
    out = put_decimal(put_text(out, " x "), glyph->height);
    out = put_text(put_text(out, ", "), formats[glyph->format]);
    if (glyph->has_width_byte) out = put_decimal(put_text(out, ", width byte "), glyph->width_byte);
    end_line(out);
    for (y = 0; y <= glyph->height + 1u; ++y) {
        int edge = y == 0u || y == glyph->height + 1u;
        out = line;
        *out++ = edge ? '+' : '|';
        for (x = 0; x < glyph->width; ++x) {
            uint8_t gray = 0;
            if (!edge && rmf_glyph_pixel(glyph, x, y - 1u, &gray) != RMF_OK) return 1;
            *out++ = edge ? '-' : art_char(gray);
        }
        *out++ = edge ? '+' : '|';
        end_line(out);
    }
    return 0;
}

static void print_heading(uint16_t code, const char* api) {
    end_line(put_text(put_code(put_text(line, "== "), code), api));
}

int main(void) {
    struct spi_counter counter = {0, 0};
    rmf_font flash;
    rmf_font spi;
    rmf_glyph glyph;
    rmf_status status;
    size_t i;
    int failed = 0;

    status = rmf_open(&flash, font_bin, font_bin_size, 0, 0);
    if (status == RMF_OK) status = rmf_open_read(&spi, spi_read, &counter, spi_image_size, 0, 0);
    if (status != RMF_OK) {
        end_line(put_text(put_text(line, "open: "), rmf_status_name(status)));
        return 1;
    }
    for (i = 0; i < sizeof codes / sizeof codes[0]; ++i) {
        print_heading(codes[i], " flash");
        status = flash.compressed
                     ? rmf_read_glyph(&flash, codes[i], &glyph, glyph_buffer, sizeof glyph_buffer)
                     : rmf_find_glyph(&flash, codes[i], &glyph);
        failed |= print_glyph(codes[i], status, &glyph);
        print_heading(codes[i], " read");
        counter.reads = 0;
        counter.bytes = 0;
        status = rmf_read_glyph(&spi, codes[i], &glyph, glyph_buffer, sizeof glyph_buffer);
        failed |= print_glyph(codes[i], status, &glyph);
        {
            char* out = put_decimal(put_text(line, "spi: "), counter.reads);
            out = put_decimal(put_text(out, " reads, "), counter.bytes);
            end_line(put_text(out, " bytes"));
        }
    }
    return failed;
}
