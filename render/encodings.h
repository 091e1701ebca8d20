// The four encodings a library's codes are in, numbered as the window's
// encoding combo box lists them.
#pragma once

namespace runemill {

enum Encoding { kEncodingGb2312 = 0, kEncodingBig5 = 1, kEncodingGbk = 2, kEncodingUnicode = 3 };

}  // namespace runemill
