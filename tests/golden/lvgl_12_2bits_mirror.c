/* WenQuanYi Zen Hei, 12 x 12 pixel cells, 2 bpp, 95 characters: an LVGL font written by Runemill.
 * In the application:
 *     LV_FONT_DECLARE(lvgl_12_2bits_mirror);
 *     lv_obj_set_style_text_font(label, &lvgl_12_2bits_mirror, 0);
 */

#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#if LVGL_VERSION_MAJOR < 8 || (LVGL_VERSION_MAJOR == 8 && LVGL_VERSION_MINOR < 3)
#error "This font needs LVGL 8.3 or later."
#endif

/* Each glyph's box, row by row from the top, 2 bits a pixel. */
static LV_ATTRIBUTE_LARGE_CONST const uint8_t lvgl_12_2bits_mirror_bitmap[] = {
    /* U+0021 */
    0x77, 0x22, 0x21, 0x70,
    /* U+0022 */
    0xd9, 0x10,
    /* U+0023 */
    0x21, 0x82, 0xff, 0xc1, 0x8c, 0x06, 0x34, 0x2e, 0xa4, 0x21, 0x80, 0x92, 0x00,
    /* U+0024 */
    0x22, 0x30, 0x23, 0x0b, 0xd3, 0x60, 0x52, 0x13, 0x27, 0x1b, 0x80, 0x20,
    /* U+0025 */
    0x08, 0x82, 0x05, 0x82, 0x03, 0x28, 0xa9, 0x80, 0x84, 0x80, 0x84, 0x20, 0xa8, 0x14,
    /* U+0026 */
    0x09, 0x30, 0x03, 0x70, 0x00, 0xf0, 0x62, 0x8c, 0x37, 0x09, 0x1c, 0x0d, 0xb7, 0xb8,
    /* U+0027 */
    0x61,
    /* U+0028 */
    0x20, 0xc2, 0x49, 0x24, 0x83, 0x08, 0x80,
    /* U+0029 */
    0x28, 0xcc, 0xcc, 0x92, 0x20,
    /* U+002A */
    0xaa, 0x4b, 0x48, 0x94, 0x20,
    /* U+002B */
    0x01, 0x00, 0x0c, 0x00, 0x30, 0x2f, 0xfd, 0x03, 0x00, 0x0c, 0x00, 0x20, 0x00,
    /* U+002C */
    0x1b, 0x11,
    /* U+002D */
    0x54, 0x50,
    /* U+002E */
    0x1b,
    /* U+002F */
    0x80, 0x20, 0x02, 0x00, 0x80, 0x18, 0x02, 0x00, 0x60, 0x08, 0x01, 0x40,
    /* U+0030 */
    0x30, 0x32, 0x80, 0x99, 0x02, 0x64, 0x09, 0x60, 0x24, 0xc0, 0xc1, 0xec, 0x00,
    /* U+0031 */
    0x06, 0x90, 0x61, 0x06, 0x00, 0x60, 0x06, 0x00, 0x60, 0xbf, 0xf0,
    /* U+0032 */
    0x60, 0x31, 0x80, 0x03, 0x00, 0x07, 0x00, 0x03, 0x40, 0x02, 0x47, 0xff, 0x40,
    /* U+0033 */
    0x70, 0x20, 0xc0, 0x01, 0xe4, 0x1d, 0x00, 0x90, 0x02, 0x80, 0xd2, 0xed, 0x00,
    /* U+0034 */
    0x1b, 0x00, 0x66, 0x01, 0x89, 0x06, 0x0c, 0xbe, 0xb8, 0xa0, 0x01, 0x80, 0x00,
    /* U+0035 */
    0x00, 0x30, 0x63, 0x35, 0xb6, 0x01, 0x90, 0x07, 0x03, 0x1e, 0xd0,
    /* U+0036 */
    0x10, 0x30, 0x14, 0x93, 0xaa, 0x58, 0x0d, 0x90, 0x35, 0x80, 0xc2, 0xfc, 0x00,
    /* U+0037 */
    0x90, 0x30, 0x18, 0x0c, 0x0d, 0x09, 0x06,
    /* U+0038 */
    0x60, 0x30, 0xc1, 0xc1, 0xfc, 0x0e, 0x2c, 0x90, 0x26, 0x40, 0x92, 0xee, 0x00,
    /* U+0039 */
    0x30, 0x32, 0x80, 0x9b, 0x03, 0x26, 0xb4, 0x60, 0x00, 0xc0, 0x80, 0xed, 0x00,
    /* U+003A */
    0xb0, 0x00, 0x1b,
    /* U+003B */
    0xb0, 0x00, 0x1b, 0x11,
    /* U+003C */
    0x64, 0x00, 0x64, 0x00, 0x70, 0x68, 0x64, 0x00,
    /* U+003D */
    0xbf, 0xf4, 0x00, 0x06, 0xaa, 0x40,
    /* U+003E */
    0x00, 0x60, 0xa4, 0x74, 0x00, 0xa4, 0x00, 0x60,
    /* U+003F */
    0xc0, 0x9c, 0x00, 0x74, 0x00, 0xc0, 0x09, 0x00, 0x00, 0x09, 0x00,
    /* U+0040 */
    0x90, 0x06, 0x23, 0xa8, 0x88, 0x82, 0x1a, 0x14, 0x96, 0x2a, 0xb2, 0x40, 0x01, 0x80, 0xab, 0x80,
    /* U+0041 */
    0x0a, 0xc0, 0x33, 0x00, 0xc5, 0x0a, 0x18, 0x3a, 0xb0, 0xc0, 0x56, 0x00, 0x80,
    /* U+0042 */
    0x90, 0x36, 0x03, 0x2e, 0xb6, 0x03, 0xc0, 0x39, 0x03, 0x3f, 0xf0,
    /* U+0043 */
    0x90, 0x31, 0x00, 0xd0, 0x02, 0x40, 0x09, 0x80, 0x31, 0x81, 0xc2, 0xfc, 0x00,
    /* U+0044 */
    0x34, 0x0c, 0xc0, 0x36, 0x00, 0xd8, 0x03, 0x30, 0x0c, 0xa0, 0x30, 0xbf, 0xc0,
    /* U+0045 */
    0x00, 0x30, 0x03, 0x1a, 0xb0, 0x03, 0x00, 0x30, 0x03, 0x7f, 0xf0,
    /* U+0046 */
    0x03, 0x03, 0xab, 0x03, 0x03, 0x03, 0x03,
    /* U+0047 */
    0xc0, 0x70, 0x00, 0xc0, 0x02, 0x7a, 0x0d, 0xc0, 0x33, 0x42, 0xca, 0xf8, 0x00,
    /* U+0048 */
    0xc0, 0x3c, 0x03, 0xff, 0xfc, 0x03, 0xc0, 0x3c, 0x03, 0xc0, 0x30,
    /* U+0049 */
    0xff, 0xfc,
    /* U+004A */
    0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0x90, 0x3e,
    /* U+004B */
    0x0a, 0x0c, 0x0d, 0x30, 0x3c, 0xc2, 0x4f, 0x0c, 0x1c, 0x90, 0x37, 0x00, 0xc0,
    /* U+004C */
    0x00, 0xc0, 0x30, 0x0c, 0x03, 0x00, 0xc0, 0x3f, 0xfc,
    /* U+004D */
    0xe0, 0x0f, 0xd8, 0x2b, 0xcc, 0x33, 0xc9, 0x73, 0xc2, 0x93, 0xc3, 0xc3, 0xc1, 0x83,
    /* U+004E */
    0xc1, 0xbc, 0x33, 0xc6, 0x3c, 0xc3, 0xe4, 0x3f, 0x03, 0xd0, 0x30,
    /* U+004F */
    0x34, 0x0c, 0x30, 0x0d, 0x70, 0x09, 0x30, 0x09, 0x30, 0x0c, 0x28, 0x1c, 0x0b, 0xf0,
    /* U+0050 */
    0x30, 0x37, 0x03, 0x34, 0x30, 0xab, 0x00, 0x30, 0x03, 0x00, 0x30,
    /* U+0051 */
    0x34, 0x0c, 0x30, 0x0d, 0x70, 0x09, 0x70, 0x09, 0x30, 0x0d, 0x28, 0x1c, 0x0b, 0xf0, 0x03, 0x00,
    0x2d, 0x00,
    /* U+0052 */
    0x90, 0x39, 0x03, 0x75, 0x71, 0xd7, 0x34, 0x37, 0x03, 0x90, 0x30,
    /* U+0053 */
    0x50, 0x30, 0x07, 0x1b, 0xdb, 0x40, 0xc0, 0x09, 0x03, 0x3f, 0xd0,
    /* U+0054 */
    0xaa, 0xaa, 0xaa, 0xa0,
    /* U+0055 */
    0x80, 0x38, 0x03, 0x80, 0x38, 0x03, 0x90, 0x36, 0x07, 0x2f, 0xc0,
    /* U+0056 */
    0xc0, 0xd8, 0x0c, 0x51, 0x83, 0x34, 0x27, 0x01, 0xe0, 0x0d, 0x00,
    /* U+0057 */
    0x60, 0xf0, 0x93, 0x0e, 0x0c, 0x31, 0x94, 0xc2, 0x30, 0x98, 0x1b, 0x0e, 0x40, 0xe0, 0xb0, 0x0d,
    0x07, 0x00,
    /* U+0058 */
    0x32, 0x81, 0xb0, 0x0d, 0x01, 0xe0, 0x32, 0x4a, 0x0c, 0xc0, 0x60,
    /* U+0059 */
    0x91, 0xcc, 0xd2, 0xe0, 0x30, 0x0c, 0x03, 0x00, 0xc0,
    /* U+005A */
    0x30, 0x01, 0x80, 0x0d, 0x00, 0x30, 0x01, 0x80, 0x0d, 0xff, 0xf0,
    /* U+005B */
    0x22, 0x22, 0x22, 0x22, 0xb0,
    /* U+005C */
    0x00, 0xc0, 0x60, 0x20, 0x18, 0x08, 0x02, 0x02, 0x00, 0x80, 0x80, 0x00,
    /* U+005D */
    0xcc, 0xcc, 0xcc, 0xcc, 0xe0,
    /* U+005E */
    0x29, 0x08, 0x85, 0x22, 0x02,
    /* U+005F */
    0xaa, 0xa0,
    /* U+0061 */
    0x7a, 0x8c, 0x04, 0xea, 0x0c, 0x0c, 0xd0, 0xdd, 0xa8,
    /* U+0062 */
    0x00, 0x93, 0xad, 0x90, 0xdc, 0x09, 0xc0, 0x99, 0x0d, 0x3a, 0x50,
    /* U+0063 */
    0xaa, 0x20, 0x90, 0x18, 0x06, 0xc3, 0x6f, 0x80,
    /* U+0064 */
    0x90, 0x0a, 0xa8, 0x90, 0x99, 0x09, 0x90, 0x9a, 0x0c, 0xaf, 0x80,
    /* U+0065 */
    0x3a, 0x89, 0x0c, 0xea, 0xd0, 0x09, 0x90, 0xc3, 0xb4,
    /* U+0066 */
    0x0c, 0x6e, 0x0c, 0x0c, 0x0c, 0x0c, 0x0c,
    /* U+0067 */
    0xa0, 0x02, 0xac, 0x30, 0x93, 0x09, 0x1f, 0xc0, 0x09, 0x7f, 0xdc, 0x03, 0xa5, 0xe0, 0x50,
    /* U+0068 */
    0x00, 0xce, 0xb9, 0x0e, 0x43, 0x90, 0xe4, 0x39, 0x0c,
    /* U+0069 */
    0xff, 0xf0,
    /* U+006A */
    0x82, 0x08, 0x20, 0x82, 0x09, 0x1e,
    /* U+006B */
    0x00, 0xcc, 0x31, 0x8c, 0x3b, 0x25, 0xcc, 0x39, 0x0c,
    /* U+006C */
    0xff, 0xfc,
    /* U+006D */
    0xa9, 0xea, 0xc2, 0x83, 0xc1, 0x83, 0xc1, 0x83, 0xc1, 0x83, 0xc1, 0x83,
    /* U+006E */
    0x3a, 0xe4, 0x39, 0x0e, 0x43, 0x90, 0xe4, 0x30,
    /* U+006F */
    0x3a, 0x89, 0x0c, 0xc0, 0x9c, 0x09, 0x90, 0xc2, 0xb4,
    /* U+0070 */
    0x7a, 0xf4, 0x3c, 0x0f, 0x03, 0xd0, 0xce, 0xb0, 0x0c, 0x03,
    /* U+0071 */
    0xaa, 0x8a, 0x0d, 0x90, 0x99, 0x09, 0xa0, 0xca, 0xb8, 0x90, 0x09, 0x00,
    /* U+0072 */
    0xb8, 0x30, 0xc3, 0x0c, 0x30,
    /* U+0073 */
    0x3a, 0xc1, 0x0c, 0x1b, 0xc7, 0x40, 0x90, 0x53, 0xb8,
    /* U+0074 */
    0x0c, 0x2e, 0x0c, 0x0c, 0x0c, 0x0c, 0x78,
    /* U+0075 */
    0x90, 0xe4, 0x39, 0x0e, 0x43, 0xa0, 0xe6, 0xe0,
    /* U+0076 */
    0x81, 0xa0, 0x95, 0x30, 0x98, 0x2d, 0x07, 0x00,
    /* U+0077 */
    0x81, 0x83, 0x52, 0xc5, 0x23, 0x8c, 0x25, 0x5c, 0x1c, 0x38, 0x0c, 0x34,
    /* U+0078 */
    0x93, 0x4d, 0x81, 0xc0, 0xb4, 0x73, 0x30, 0x60,
    /* U+0079 */
    0xc0, 0xe4, 0x92, 0x30, 0xd8, 0x1d, 0x03, 0x00, 0x80, 0x0e,
    /* U+007A */
    0xba, 0x4c, 0x01, 0x80, 0x24, 0x03, 0x2a, 0xe0,
    /* U+007B */
    0x20, 0x82, 0x09, 0x30, 0x82, 0x08, 0xd0,
    /* U+007C */
    0xaa, 0xaa, 0xa0,
    /* U+007D */
    0x60, 0x86, 0x30, 0x91, 0x82, 0x18, 0x34,
    /* U+007E */
    0x00, 0x46, 0x7b, 0x28, 0x00,
};

/* Number 0 is no glyph; a blank number follows a range whose next code is missing. */
static const lv_font_fmt_txt_glyph_dsc_t lvgl_12_2bits_mirror_glyphs[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 0, .adv_w = 64, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* U+0020 */
    {.bitmap_index = 0, .adv_w = 32, .box_w = 2, .box_h = 7, .ofs_x = 10, .ofs_y = 0}, /* U+0021 */
    {.bitmap_index = 4, .adv_w = 64, .box_w = 3, .box_h = 2, .ofs_x = 9, .ofs_y = 5}, /* U+0022 */
    {.bitmap_index = 6, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0023 */
    {.bitmap_index = 19, .adv_w = 112, .box_w = 6, .box_h = 8, .ofs_x = 5, .ofs_y = -1}, /* U+0024 */
    {.bitmap_index = 31, .adv_w = 144, .box_w = 8, .box_h = 7, .ofs_x = 4, .ofs_y = 0}, /* U+0025 */
    {.bitmap_index = 45, .adv_w = 128, .box_w = 8, .box_h = 7, .ofs_x = 4, .ofs_y = 0}, /* U+0026 */
    {.bitmap_index = 59, .adv_w = 32, .box_w = 2, .box_h = 2, .ofs_x = 10, .ofs_y = 5}, /* U+0027 */
    {.bitmap_index = 60, .adv_w = 48, .box_w = 3, .box_h = 9, .ofs_x = 9, .ofs_y = -2}, /* U+0028 */
    {.bitmap_index = 67, .adv_w = 48, .box_w = 2, .box_h = 9, .ofs_x = 9, .ofs_y = -2}, /* U+0029 */
    {.bitmap_index = 72, .adv_w = 80, .box_w = 5, .box_h = 4, .ofs_x = 7, .ofs_y = 3}, /* U+002A */
    {.bitmap_index = 77, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+002B */
    {.bitmap_index = 90, .adv_w = 32, .box_w = 2, .box_h = 4, .ofs_x = 10, .ofs_y = -2}, /* U+002C */
    {.bitmap_index = 92, .adv_w = 48, .box_w = 3, .box_h = 2, .ofs_x = 9, .ofs_y = 2}, /* U+002D */
    {.bitmap_index = 94, .adv_w = 32, .box_w = 2, .box_h = 2, .ofs_x = 10, .ofs_y = 0}, /* U+002E */
    {.bitmap_index = 95, .adv_w = 96, .box_w = 5, .box_h = 9, .ofs_x = 7, .ofs_y = -2}, /* U+002F */
    {.bitmap_index = 107, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0030 */
    {.bitmap_index = 120, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0031 */
    {.bitmap_index = 131, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0032 */
    {.bitmap_index = 144, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0033 */
    {.bitmap_index = 157, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0034 */
    {.bitmap_index = 170, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0035 */
    {.bitmap_index = 181, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0036 */
    {.bitmap_index = 194, .adv_w = 64, .box_w = 4, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0037 */
    {.bitmap_index = 201, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0038 */
    {.bitmap_index = 214, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0039 */
    {.bitmap_index = 227, .adv_w = 32, .box_w = 2, .box_h = 6, .ofs_x = 10, .ofs_y = 0}, /* U+003A */
    {.bitmap_index = 230, .adv_w = 32, .box_w = 2, .box_h = 8, .ofs_x = 10, .ofs_y = -2}, /* U+003B */
    {.bitmap_index = 234, .adv_w = 112, .box_w = 6, .box_h = 5, .ofs_x = 5, .ofs_y = 1}, /* U+003C */
    {.bitmap_index = 242, .adv_w = 112, .box_w = 7, .box_h = 3, .ofs_x = 5, .ofs_y = 2}, /* U+003D */
    {.bitmap_index = 248, .adv_w = 112, .box_w = 6, .box_h = 5, .ofs_x = 5, .ofs_y = 1}, /* U+003E */
    {.bitmap_index = 256, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+003F */
    {.bitmap_index = 267, .adv_w = 160, .box_w = 9, .box_h = 7, .ofs_x = 3, .ofs_y = 0}, /* U+0040 */
    {.bitmap_index = 283, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0041 */
    {.bitmap_index = 296, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0042 */
    {.bitmap_index = 307, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0043 */
    {.bitmap_index = 320, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0044 */
    {.bitmap_index = 333, .adv_w = 96, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0045 */
    {.bitmap_index = 344, .adv_w = 96, .box_w = 4, .box_h = 7, .ofs_x = 7, .ofs_y = 0}, /* U+0046 */
    {.bitmap_index = 351, .adv_w = 128, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0047 */
    {.bitmap_index = 364, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0048 */
    {.bitmap_index = 375, .adv_w = 32, .box_w = 1, .box_h = 7, .ofs_x = 11, .ofs_y = 0}, /* U+0049 */
    {.bitmap_index = 377, .adv_w = 64, .box_w = 4, .box_h = 7, .ofs_x = 8, .ofs_y = 0}, /* U+004A */
    {.bitmap_index = 384, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+004B */
    {.bitmap_index = 397, .adv_w = 80, .box_w = 5, .box_h = 7, .ofs_x = 7, .ofs_y = 0}, /* U+004C */
    {.bitmap_index = 406, .adv_w = 144, .box_w = 8, .box_h = 7, .ofs_x = 3, .ofs_y = 0}, /* U+004D */
    {.bitmap_index = 420, .adv_w = 128, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+004E */
    {.bitmap_index = 431, .adv_w = 128, .box_w = 8, .box_h = 7, .ofs_x = 4, .ofs_y = 0}, /* U+004F */
    {.bitmap_index = 445, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0050 */
    {.bitmap_index = 456, .adv_w = 128, .box_w = 8, .box_h = 9, .ofs_x = 4, .ofs_y = -2}, /* U+0051 */
    {.bitmap_index = 474, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0052 */
    {.bitmap_index = 485, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0053 */
    {.bitmap_index = 496, .adv_w = 32, .box_w = 2, .box_h = 7, .ofs_x = 8, .ofs_y = 0}, /* U+0054 */
    {.bitmap_index = 500, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0055 */
    {.bitmap_index = 511, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0056 */
    {.bitmap_index = 522, .adv_w = 160, .box_w = 10, .box_h = 7, .ofs_x = 2, .ofs_y = 0}, /* U+0057 */
    {.bitmap_index = 540, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0058 */
    {.bitmap_index = 551, .adv_w = 96, .box_w = 5, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0059 */
    {.bitmap_index = 560, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+005A */
    {.bitmap_index = 571, .adv_w = 48, .box_w = 2, .box_h = 9, .ofs_x = 9, .ofs_y = -2}, /* U+005B */
    {.bitmap_index = 576, .adv_w = 96, .box_w = 5, .box_h = 9, .ofs_x = 6, .ofs_y = -2}, /* U+005C */
    {.bitmap_index = 588, .adv_w = 48, .box_w = 2, .box_h = 9, .ofs_x = 9, .ofs_y = -2}, /* U+005D */
    {.bitmap_index = 593, .adv_w = 80, .box_w = 5, .box_h = 4, .ofs_x = 7, .ofs_y = 3}, /* U+005E */
    {.bitmap_index = 598, .adv_w = 96, .box_w = 6, .box_h = 1, .ofs_x = 6, .ofs_y = -2}, /* U+005F */
    {.bitmap_index = 600, .adv_w = 32, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* U+0060 */
    {.bitmap_index = 600, .adv_w = 96, .box_w = 6, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+0061 */
    {.bitmap_index = 609, .adv_w = 96, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0062 */
    {.bitmap_index = 620, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 7, .ofs_y = 0}, /* U+0063 */
    {.bitmap_index = 628, .adv_w = 96, .box_w = 6, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0064 */
    {.bitmap_index = 639, .adv_w = 96, .box_w = 6, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+0065 */
    {.bitmap_index = 648, .adv_w = 64, .box_w = 4, .box_h = 7, .ofs_x = 8, .ofs_y = 0}, /* U+0066 */
    {.bitmap_index = 655, .adv_w = 96, .box_w = 6, .box_h = 10, .ofs_x = 6, .ofs_y = -3}, /* U+0067 */
    {.bitmap_index = 670, .adv_w = 96, .box_w = 5, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+0068 */
    {.bitmap_index = 679, .adv_w = 32, .box_w = 1, .box_h = 6, .ofs_x = 10, .ofs_y = 0}, /* U+0069 */
    {.bitmap_index = 681, .adv_w = 48, .box_w = 3, .box_h = 8, .ofs_x = 9, .ofs_y = -2}, /* U+006A */
    {.bitmap_index = 687, .adv_w = 96, .box_w = 5, .box_h = 7, .ofs_x = 6, .ofs_y = 0}, /* U+006B */
    {.bitmap_index = 696, .adv_w = 32, .box_w = 1, .box_h = 7, .ofs_x = 10, .ofs_y = 0}, /* U+006C */
    {.bitmap_index = 698, .adv_w = 160, .box_w = 8, .box_h = 6, .ofs_x = 3, .ofs_y = 0}, /* U+006D */
    {.bitmap_index = 710, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+006E */
    {.bitmap_index = 718, .adv_w = 96, .box_w = 6, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+006F */
    {.bitmap_index = 727, .adv_w = 112, .box_w = 5, .box_h = 8, .ofs_x = 6, .ofs_y = -2}, /* U+0070 */
    {.bitmap_index = 737, .adv_w = 96, .box_w = 6, .box_h = 8, .ofs_x = 6, .ofs_y = -2}, /* U+0071 */
    {.bitmap_index = 749, .adv_w = 64, .box_w = 3, .box_h = 6, .ofs_x = 8, .ofs_y = 0}, /* U+0072 */
    {.bitmap_index = 754, .adv_w = 96, .box_w = 6, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+0073 */
    {.bitmap_index = 763, .adv_w = 64, .box_w = 4, .box_h = 7, .ofs_x = 8, .ofs_y = 0}, /* U+0074 */
    {.bitmap_index = 770, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+0075 */
    {.bitmap_index = 778, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 7, .ofs_y = 0}, /* U+0076 */
    {.bitmap_index = 786, .adv_w = 128, .box_w = 8, .box_h = 6, .ofs_x = 4, .ofs_y = 0}, /* U+0077 */
    {.bitmap_index = 798, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 7, .ofs_y = 0}, /* U+0078 */
    {.bitmap_index = 806, .adv_w = 96, .box_w = 5, .box_h = 8, .ofs_x = 7, .ofs_y = -2}, /* U+0079 */
    {.bitmap_index = 816, .adv_w = 80, .box_w = 5, .box_h = 6, .ofs_x = 7, .ofs_y = 0}, /* U+007A */
    {.bitmap_index = 824, .adv_w = 64, .box_w = 3, .box_h = 9, .ofs_x = 9, .ofs_y = -2}, /* U+007B */
    {.bitmap_index = 831, .adv_w = 16, .box_w = 1, .box_h = 10, .ofs_x = 11, .ofs_y = -3}, /* U+007C */
    {.bitmap_index = 834, .adv_w = 64, .box_w = 3, .box_h = 9, .ofs_x = 9, .ofs_y = -2}, /* U+007D */
    {.bitmap_index = 841, .adv_w = 112, .box_w = 6, .box_h = 3, .ofs_x = 5, .ofs_y = 2}, /* U+007E */
    {.bitmap_index = 846, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},
};

static const lv_font_fmt_txt_cmap_t lvgl_12_2bits_mirror_cmaps[] = {
    {.range_start = 0x20, .range_length = 95, .glyph_id_start = 1, .unicode_list = NULL, .glyph_id_ofs_list = NULL, .list_length = 0, .type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY},
};

static const lv_font_fmt_txt_dsc_t lvgl_12_2bits_mirror_dsc = {
    .glyph_bitmap = lvgl_12_2bits_mirror_bitmap,
    .glyph_dsc = lvgl_12_2bits_mirror_glyphs,
    .cmaps = lvgl_12_2bits_mirror_cmaps,
    .kern_dsc = NULL,
    .kern_scale = 0,
    .cmap_num = 1,
    .bpp = 2,
    .kern_classes = 0,
    .bitmap_format = LV_FONT_FMT_TXT_PLAIN,
};

const lv_font_t lvgl_12_2bits_mirror = {
    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,
    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,
    .line_height = 12,
    .base_line = 5,
    .subpx = LV_FONT_SUBPX_NONE,
    .underline_position = -2,
    .underline_thickness = 1,
    .dsc = &lvgl_12_2bits_mirror_dsc,
};
