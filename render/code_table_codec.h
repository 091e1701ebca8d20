// The two-byte libraries decode their codes through tables kept with the
// sources (resources/codes), not through whatever codecs the Qt at hand was
// built with: Debian's Qt decodes through ICU, a Qt built without ICU through
// tables of its own, and the two disagree on a few codes. The tables hold what
// Debian's Qt (ICU) makes of every code, so files written on Linux keep their
// bytes and every other system writes the same ones.
#pragma once

class QTextCodec;

namespace runemill {

// The table codec of a two-byte encoding (GB2312 and GBK share the GBK table,
// as ICU's GB2312 is GBK), or nullptr when its table cannot be read. It decodes
// the one- and two-byte strings of a code exactly as the table says; encoding
// goes to the system's codec of the same name.
QTextCodec* TableCodecFor(int encoding);

}  // namespace runemill
