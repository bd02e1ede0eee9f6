// The header band of a record window in the dialog design chosen in the settings: variant 1 shows
// the graphics library's title picture, variant 2 a caption band with the upper-cased title, variant
// 3 a ribbon with the window's picture, the library design the window's own header picture. A
// design whose pictures are missing falls back to variant 2, which needs none.
#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "presentation/words.h"
#include "records/settings.h"
#include "windows/window_words.h"

namespace kesp {

// Which look a dialog gets: 1..3 are the built-in variants, 4 the graphics library's design.
int DialogDesign(const Settings& settings);

struct DesignPictures {
    QString Title;   // variant 1: the library's title picture (language suffix added)
    QString Ribbon;  // variant 3 and the library design: the window's header picture (suffix added)
};

// A header of the design's height (48, 64, 90, or 64 for the library design) drawn from the pictures
// or, for variant 2 and every fallback, from a dark red band with `caption` upper-cased in yellow.
// `design` 0 takes the settings' design; a window that had to fall back names its own. The header
// follows language changes.
QWidget* MakeDesignHeader(const Settings& settings, WordKey caption, const DesignPictures& pictures,
                          QWidget* parent, int design = 0);

// The window's buttons: the owner-drawn button of the program, in the style the settings choose.
QPushButton* MakeWindowButton(const QString& text, const Settings& settings, QWidget* parent);
// Enables or locks a window button; a locked one is also drawn lighter, so it does not pass for one
// that can be pressed.
void SetWindowButtonEnabled(QPushButton* button, bool enabled);

// The centred "OK" row at the foot of a record window: the default button, which accepts the window
// (Esc still rejects it). Returns the button.
QPushButton* AddOkRow(QBoxLayout& layout, QDialog& window, const Settings& settings, WindowWords& words);

}  // namespace kesp
