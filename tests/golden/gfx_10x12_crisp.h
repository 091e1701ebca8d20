// Written by Runemill: an Adafruit GFX font, 10 x 12 cells, baseline 11 rows below the top, U+0020 to U+0039.
// Include it after Adafruit_GFX.h, which declares GFXglyph, GFXfont and PROGMEM.
#pragma once

const uint8_t gfx_10x12_crispBitmaps[] PROGMEM = {
    0x62, 0x94, 0x9C, 0x68, 0x16, 0x19, 0x29, 0x66, 0x10, 0x23, 0xF8, 0x81,
    0x02, 0x00, 0x38, 0xD9, 0x16, 0x3C, 0x68, 0x99, 0x1C, 0x72, 0x28, 0xA3,
    0xFC, 0x29, 0xBC,
};

const GFXglyph gfx_10x12_crispGlyphs[] PROGMEM = {
    {0, 0, 0, 1, 0, 0},  // U+0020
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 8, 8, 8, 0, -8},  // U+0025
    {8, 0, 0, 0, 0, 0},
    {8, 0, 0, 0, 0, 0},
    {8, 0, 0, 0, 0, 0},
    {8, 0, 0, 0, 0, 0},
    {8, 0, 0, 0, 0, 0},
    {8, 7, 6, 7, 0, -6},  // U+002B
    {14, 0, 0, 0, 0, 0},
    {14, 0, 0, 0, 0, 0},
    {14, 0, 0, 0, 0, 0},
    {14, 0, 0, 0, 0, 0},
    {14, 7, 8, 7, 0, -8},  // U+0030
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 0, 0, 0, 0, 0},
    {21, 6, 8, 6, 0, -8},  // U+0039
};

const GFXfont gfx_10x12_crisp PROGMEM = {(uint8_t*)gfx_10x12_crispBitmaps, (GFXglyph*)gfx_10x12_crispGlyphs, 0x0020, 0x0039, 12};
