#pragma once

#include <QPalette>
#include <QString>

class QApplication;

namespace ovgUi {

// The four looks of the window (View > the window's appearance). Each is the Fusion style with a
// palette and a few style-sheet rules for the menu bar, the panes' titles and the status bar.
// Chosen at start-up: a change takes effect when the program starts again.
enum class WindowStyle { kBlue = 0, kBlack = 1, kSilver = 2, kAqua = 3 };

// The stored choice ("Settings/WindowStyle"); blue when none or an unknown one is stored.
WindowStyle LoadWindowStyle();
void SaveWindowStyle(WindowStyle style);

QPalette PaletteOf(WindowStyle style);
QString StyleSheetOf(WindowStyle style);
// Puts the style on the whole application.
void ApplyWindowStyle(QApplication& app, WindowStyle style);

}  // namespace ovgUi
