// The word lists and little pictures of the options dialog's lists.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "presentation/word_table.h"

namespace kesp {

// The card back styles 0..12, the background pictures 1..10 and the background colours 0..6.
std::vector<WordKey> BackStyleWords();
std::vector<WordKey> BackgroundPictureWords();
std::vector<WordKey> BackgroundColourWords();
// The word of a window size 1..5.
WordKey WindowSizeWord(int windowSize);
// The client size of a window size as the list's hint shows it ("990 x 650"); empty for full screen.
QString WindowSizeHint(int windowSize);
// The small suit picture before a face set's name: one suit for each library the sets come from.
QImage FaceGroupSymbol(int deck);

}  // namespace kesp
