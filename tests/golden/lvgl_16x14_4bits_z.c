/* WenQuanYi Zen Hei, 16 x 14 pixel cells, 4 bpp, 5 characters: an LVGL font written by Runemill.
 * In the application:
 *     LV_FONT_DECLARE(lvgl_16x14_4bits_z);
 *     lv_obj_set_style_text_font(label, &lvgl_16x14_4bits_z, 0);
 */

#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#if LVGL_VERSION_MAJOR < 8 || (LVGL_VERSION_MAJOR == 8 && LVGL_VERSION_MINOR < 3)
#error "This font needs LVGL 8.3 or later."
#endif
#if !LV_USE_FONT_COMPRESSED
#error "This font is compressed: set LV_USE_FONT_COMPRESSED to 1 in lv_conf.h."
#endif

/* Each glyph's box, row by row from the top, 4 bits a pixel, in LVGL's compressed form. */
static LV_ATTRIBUTE_LARGE_CONST const uint8_t lvgl_16x14_4bits_z_bitmap[] = {
    /* U+0025 */
    0x02, 0x62, 0x00, 0x84, 0xc0, 0x05, 0xc1, 0xc4, 0x00, 0xb5, 0x00, 0x2d, 0x34, 0xd0, 0x23, 0x30,
    0x01, 0xc6, 0x02, 0x20, 0x9f, 0x00, 0xb3, 0x01, 0x98, 0x74, 0x30, 0x09, 0x43, 0x05, 0x26, 0x04,
    0x40, 0x14, 0xe4, 0xdc, 0x35, 0x6b, 0x00, 0x64, 0x66, 0x55, 0xe5, 0x80, 0x69, 0xf2, 0x10, 0x08,
    0x40, 0x0e, 0x86, 0x42, 0x01, 0x08, 0x14, 0xc0, 0x02, 0xf3, 0x10, 0x00,
    /* U+002B */
    0x00, 0xc6, 0x01, 0xfb, 0x00, 0x3f, 0xf9, 0x4b, 0xbb, 0x06, 0xec, 0x8b, 0xff, 0x07, 0xfc, 0x80,
    0x45, 0x01, 0x14, 0x01, 0xff, 0xc2, 0x70, 0x0c,
    /* U+0030 */
    0x00, 0x91, 0x90, 0x03, 0xb2, 0x3e, 0x6c, 0x02, 0x97, 0xc9, 0xd7, 0x80, 0x16, 0xf0, 0x0a, 0x1c,
    0x14, 0x10, 0x02, 0x40, 0x32, 0x00, 0xf9, 0x8c, 0x03, 0xf3, 0x00, 0x80, 0x42, 0x0e, 0x62, 0x80,
    0x12, 0x11, 0x02, 0x2c, 0x80, 0x62, 0xc0, 0x0d, 0x39, 0xbf, 0x4c, 0x00,
    /* U+0039 */
    0x00, 0x91, 0x8c, 0x03, 0x1f, 0x46, 0x76, 0x00, 0x5b, 0x39, 0x5a, 0xd2, 0x06, 0x2e, 0x01, 0x4b,
    0x00, 0x7f, 0x19, 0x85, 0xc0, 0x28, 0x07, 0x0a, 0x8c, 0xad, 0xd0, 0x80, 0x13, 0xa7, 0xf1, 0xc5,
    0x40, 0x44, 0xaa, 0x16, 0x31, 0x0c, 0x90, 0x02, 0x44, 0x00, 0x1e, 0xbf, 0xd5, 0x44, 0x00,
    0x00,
};

/* Number 0 is no glyph; a blank number follows a range whose next code is missing. */
static const lv_font_fmt_txt_glyph_dsc_t lvgl_16x14_4bits_z_glyphs[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 0, .adv_w = 16, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* U+0020 */
    {.bitmap_index = 0, .adv_w = 176, .box_w = 11, .box_h = 11, .ofs_x = 0, .ofs_y = 0}, /* U+0025 */
    {.bitmap_index = 60, .adv_w = 144, .box_w = 9, .box_h = 9, .ofs_x = 0, .ofs_y = 0}, /* U+002B */
    {.bitmap_index = 84, .adv_w = 144, .box_w = 9, .box_h = 11, .ofs_x = 0, .ofs_y = 0}, /* U+0030 */
    {.bitmap_index = 128, .adv_w = 144, .box_w = 9, .box_h = 11, .ofs_x = 0, .ofs_y = 0}, /* U+0039 */
};

static const uint16_t lvgl_16x14_4bits_z_codes_0[] = {
    0x0, 0x5, 0xb, 0x10, 0x19,
};

static const lv_font_fmt_txt_cmap_t lvgl_16x14_4bits_z_cmaps[] = {
    {.range_start = 0x20, .range_length = 26, .glyph_id_start = 1, .unicode_list = lvgl_16x14_4bits_z_codes_0, .glyph_id_ofs_list = NULL, .list_length = 5, .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY},
};

static const lv_font_fmt_txt_dsc_t lvgl_16x14_4bits_z_dsc = {
    .glyph_bitmap = lvgl_16x14_4bits_z_bitmap,
    .glyph_dsc = lvgl_16x14_4bits_z_glyphs,
    .cmaps = lvgl_16x14_4bits_z_cmaps,
    .kern_dsc = NULL,
    .kern_scale = 0,
    .cmap_num = 1,
    .bpp = 4,
    .kern_classes = 0,
    .bitmap_format = LV_FONT_FMT_TXT_COMPRESSED,
};

const lv_font_t lvgl_16x14_4bits_z = {
    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,
    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,
    .line_height = 14,
    .base_line = 0,
    .subpx = LV_FONT_SUBPX_NONE,
    .underline_position = 0,
    .underline_thickness = 1,
    .dsc = &lvgl_16x14_4bits_z_dsc,
};
