#include "targets/ink_box.h"

#include <algorithm>

namespace runemill {

InkBox InkBoxOf(const QByteArray& levels, int width, int height) {
    int left = width, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const char* row = levels.constData() + y * width;
        int first = 0;
        while (first < width && row[first] == 0) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (row[last] == 0) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0) top = y;
        bottom = y;
    }
    if (right < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace runemill
