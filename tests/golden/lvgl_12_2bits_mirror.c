/* WenQuanYi Zen Hei, 12 x 12 pixel cells, 2 bpp, 20 characters: an LVGL font written by Runemill.
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
    /* U+0032 */
    0x60, 0x31, 0x80, 0x03, 0x00, 0x07, 0x00, 0x03, 0x40, 0x02, 0x47, 0xff, 0x40,
    /* U+0035 */
    0x00, 0x30, 0x63, 0x35, 0xb6, 0x01, 0x90, 0x07, 0x03, 0x1e, 0xd0,
    /* U+003A */
    0xb0, 0x00, 0x1b,
    /* U+0043 */
    0x90, 0x31, 0x00, 0xd0, 0x02, 0x40, 0x09, 0x80, 0x31, 0x81, 0xc2, 0xfc, 0x00,
    /* U+0052 */
    0x90, 0x39, 0x03, 0x75, 0x71, 0xd7, 0x34, 0x37, 0x03, 0x90, 0x30,
    /* U+0065 */
    0x3a, 0x89, 0x0c, 0xea, 0xd0, 0x09, 0x90, 0xc3, 0xb4,
    /* U+0069 */
    0xff, 0xf0,
    /* U+006C */
    0xff, 0xfc,
    /* U+006D */
    0xa9, 0xea, 0xc2, 0x83, 0xc1, 0x83, 0xc1, 0x83, 0xc1, 0x83, 0xc1, 0x83,
    /* U+006E */
    0x3a, 0xe4, 0x39, 0x0e, 0x43, 0x90, 0xe4, 0x30,
    /* U+0075 */
    0x90, 0xe4, 0x39, 0x0e, 0x43, 0xa0, 0xe6, 0xe0,
    /* U+00B0 */
    0x85, 0xac,
    /* U+4F7F */
    0x03, 0x00, 0xc1, 0x9d, 0xa2, 0xc5, 0x30, 0x8a, 0x9a, 0xea, 0x20, 0x03, 0x00, 0x80, 0x09, 0x82,
    0x00, 0x1d, 0x08, 0x06, 0xde, 0x20, 0xa4, 0x04, 0x40,
    /* U+5EA6 */
    0xae, 0xba, 0xc0, 0xc2, 0x48, 0x0a, 0xa0, 0x81, 0x55, 0x48, 0x18, 0x24, 0x80, 0x96, 0x08, 0x03,
    0xc0, 0x6a, 0xd7, 0xa3, 0x40, 0x01, 0x00,
    /* U+6B22 */
    0xaa, 0xa5, 0x00, 0xc8, 0xd8, 0x80, 0x30, 0x76, 0x00, 0xc0, 0xb0, 0x07, 0x03, 0xc0, 0x36, 0x1a,
    0x42, 0x49, 0x43, 0x74, 0x0a, 0x01, 0x00, 0x05, 0x00,
    /* U+6E29 */
    0x08, 0x05, 0x06, 0x0d, 0x59, 0x0c, 0x00, 0x00, 0x10, 0x2a, 0xaa, 0x20, 0x23, 0x22, 0x50, 0x23,
    0x22, 0x44, 0x23, 0x22, 0x4c, 0x6a, 0xaa, 0x89,
    /* U+7528 */
    0x95, 0xe5, 0xc2, 0x56, 0x57, 0x08, 0x08, 0x0c, 0x2e, 0xbe, 0xb0, 0x80, 0x80, 0x82, 0x02, 0x02,
    0x48, 0x08, 0x06, 0x1e, 0x24, 0x0d, 0x00, 0x40, 0x00,
    /* U+8FCE */
    0x53, 0x0c, 0xa5, 0x4c, 0x32, 0x05, 0x30, 0xc8, 0x14, 0xe7, 0x20, 0x33, 0x2c, 0x80, 0x0c, 0x12,
    0x00, 0x20, 0x29, 0x3f, 0xfe, 0x05,
    /* U+FF01 */
    0xa6, 0x65, 0x10, 0xa0,
};

/* Number 0 is no glyph; a blank number follows a range whose next code is missing. */
static const lv_font_fmt_txt_glyph_dsc_t lvgl_12_2bits_mirror_glyphs[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 0, .adv_w = 16, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* U+0020 */
    {.bitmap_index = 0, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0032 */
    {.bitmap_index = 13, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0035 */
    {.bitmap_index = 24, .adv_w = 32, .box_w = 2, .box_h = 6, .ofs_x = 10, .ofs_y = 0}, /* U+003A */
    {.bitmap_index = 27, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0043 */
    {.bitmap_index = 40, .adv_w = 112, .box_w = 6, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0052 */
    {.bitmap_index = 51, .adv_w = 96, .box_w = 6, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+0065 */
    {.bitmap_index = 60, .adv_w = 32, .box_w = 1, .box_h = 6, .ofs_x = 10, .ofs_y = 0}, /* U+0069 */
    {.bitmap_index = 62, .adv_w = 32, .box_w = 1, .box_h = 7, .ofs_x = 10, .ofs_y = 0}, /* U+006C */
    {.bitmap_index = 64, .adv_w = 160, .box_w = 8, .box_h = 6, .ofs_x = 3, .ofs_y = 0}, /* U+006D */
    {.bitmap_index = 76, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+006E */
    {.bitmap_index = 84, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 6, .ofs_y = 0}, /* U+0075 */
    {.bitmap_index = 92, .adv_w = 80, .box_w = 4, .box_h = 2, .ofs_x = 8, .ofs_y = 5}, /* U+00B0 */
    {.bitmap_index = 94, .adv_w = 192, .box_w = 11, .box_h = 9, .ofs_x = 1, .ofs_y = -2}, /* U+4F7F */
    {.bitmap_index = 119, .adv_w = 192, .box_w = 10, .box_h = 9, .ofs_x = 1, .ofs_y = -2}, /* U+5EA6 */
    {.bitmap_index = 142, .adv_w = 192, .box_w = 11, .box_h = 9, .ofs_x = 1, .ofs_y = -2}, /* U+6B22 */
    {.bitmap_index = 167, .adv_w = 192, .box_w = 12, .box_h = 8, .ofs_x = 0, .ofs_y = -1}, /* U+6E29 */
    {.bitmap_index = 191, .adv_w = 176, .box_w = 11, .box_h = 9, .ofs_x = 1, .ofs_y = -2}, /* U+7528 */
    {.bitmap_index = 216, .adv_w = 192, .box_w = 11, .box_h = 8, .ofs_x = 1, .ofs_y = -1}, /* U+8FCE */
    {.bitmap_index = 238, .adv_w = 32, .box_w = 2, .box_h = 7, .ofs_x = 10, .ofs_y = 0}, /* U+FF01 */
};

static const uint16_t lvgl_12_2bits_mirror_codes_0[] = {
    0x0, 0x12, 0x15, 0x1a, 0x23, 0x32, 0x45, 0x49, 0x4c, 0x4d, 0x4e, 0x55, 0x90, 0x4f5f, 0x5e86, 0x6b02,
    0x6e09, 0x7508, 0x8fae, 0xfee1,
};

static const lv_font_fmt_txt_cmap_t lvgl_12_2bits_mirror_cmaps[] = {
    {.range_start = 0x20, .range_length = 65250, .glyph_id_start = 1, .unicode_list = lvgl_12_2bits_mirror_codes_0, .glyph_id_ofs_list = NULL, .list_length = 20, .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY},
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
