/* WenQuanYi Zen Hei, 12 x 12 pixel cells, 2 bpp, 5 characters: an LVGL font written by Runemill.
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
    /* U+0025 */
    0x08, 0x82, 0x05, 0x82, 0x03, 0x28, 0xa9, 0x80, 0x84, 0x80, 0x84, 0x20, 0xa8, 0x14,
    /* U+002B */
    0x01, 0x00, 0x0c, 0x00, 0x30, 0x2f, 0xfd, 0x03, 0x00, 0x0c, 0x00, 0x20, 0x00,
    /* U+0030 */
    0x30, 0x32, 0x80, 0x99, 0x02, 0x64, 0x09, 0x60, 0x24, 0xc0, 0xc1, 0xec, 0x00,
    /* U+0039 */
    0x30, 0x32, 0x80, 0x9b, 0x03, 0x26, 0xb4, 0x60, 0x00, 0xc0, 0x80, 0xed, 0x00,
};

/* Number 0 is no glyph; a blank number follows a range whose next code is missing. */
static const lv_font_fmt_txt_glyph_dsc_t lvgl_12_2bits_mirror_glyphs[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 0, .adv_w = 16, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0}, /* U+0020 */
    {.bitmap_index = 0, .adv_w = 144, .box_w = 8, .box_h = 7, .ofs_x = 4, .ofs_y = 0}, /* U+0025 */
    {.bitmap_index = 14, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+002B */
    {.bitmap_index = 27, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0030 */
    {.bitmap_index = 40, .adv_w = 112, .box_w = 7, .box_h = 7, .ofs_x = 5, .ofs_y = 0}, /* U+0039 */
};

static const uint16_t lvgl_12_2bits_mirror_codes_0[] = {
    0x0, 0x5, 0xb, 0x10, 0x19,
};

static const lv_font_fmt_txt_cmap_t lvgl_12_2bits_mirror_cmaps[] = {
    {.range_start = 0x20, .range_length = 26, .glyph_id_start = 1, .unicode_list = lvgl_12_2bits_mirror_codes_0, .glyph_id_ofs_list = NULL, .list_length = 5, .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY},
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
