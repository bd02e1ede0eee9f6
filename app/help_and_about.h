// The program's help (a small HTML book beside the program, opened in the desktop's browser) and
// the about window.
#pragma once

#include <string>

#include "presentation/words.h"

class QWidget;

namespace kesp {

// In English a notice comes first that the help is not translated; then the help opens.
void ShowHelp(QWidget* parent, const Localisation& words, const std::string& programDir);
void ShowAbout(QWidget* parent, const Localisation& words);

}  // namespace kesp
