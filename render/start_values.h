// The settings of the window right after start, written once: the defaults of
// ConvertRequest and of the core's settings structs it fills (cell, packer,
// chip header), so a struct built on its own agrees with the request.
#pragma once

namespace runemill {

constexpr int kStartWidth = 32;
constexpr int kStartHeight = 32;
constexpr int kStartGrayLimit = 50;    // 1bits: gray above it is ink
constexpr int kStartSpaceDivisor = 3;  // the ASCII space is W / 3 wide
constexpr int kStartPointSize = 20;    // points at 96 dpi
constexpr int kStartX0 = 0;
constexpr int kStartY0 = -7;  // the window's vertical bar starts at 26: y0 = 26 - 33

}  // namespace runemill
