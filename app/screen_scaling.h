// How the window follows its screen: the whole form scales by the screen's factor, and the
// window starts inside the screen's free area.
#pragma once

class QMainWindow;

// Call before the application object. Scales every window by the screen's factor without
// rounding it (144 dpi gives 1.5, not 2), so the form keeps its 96-dpi proportions. Qt's
// environment variables (QT_ENABLE_HIGHDPI_SCALING=0, QT_SCALE_FACTOR, ...) still apply.
void EnableScreenScaling();

// Call before showing the window. A window larger than its screen's free area is shrunk to it
// and moved to its top-left corner. The form keeps its start height (the right column's controls
// sit at fixed places down to its bottom), so where that does not fit, the form gets scroll bars
// and every control stays reachable. A window that fits is left alone.
void FitToScreen(QMainWindow* window);
