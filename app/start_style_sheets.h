// The style sheets the window applies once its form is built.
#pragma once

class MainWindowUi;

// The control-panel sheet of the three right-hand frames.
extern const char* const kControlPanelStyleSheet;

// Applies the twelve start-up style sheets, in their order.
void ApplyStartStyleSheets(MainWindowUi* ui);
