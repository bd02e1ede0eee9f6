// The program's own sounds as compiled-in Qt resources under ":/sounds/", one upper-case name each
// with ".wav" (the effects) or ".mid" (the menu tune "MidiSong").
#pragma once

namespace kesp {

// Registers the compiled-in sounds; safe to call any number of times.
void InitSoundResources();

}  // namespace kesp
