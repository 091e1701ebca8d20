// The platform plugin a program starts with when QT_QPA_PLATFORM is not set.
// On Windows, Qt draws text with GDI or DirectWrite unless asked otherwise;
// glyphs must come out of FreeType there as on Linux, or a file would depend on
// the system that wrote it.
#pragma once

namespace runemill {

// Call before the Q(Gui)Application is made. On Windows: the windows plugin
// with its FreeType font engine (also when QT_QPA_PLATFORM names the windows
// plugin without a font engine). Elsewhere: `elsewhere` (nullptr: Qt's
// default) when QT_QPA_PLATFORM is not set.
void ChoosePlatform(const char* elsewhere);

}  // namespace runemill
