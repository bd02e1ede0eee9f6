// The program's own pictures as compiled-in Qt resources at ":/", one upper-case name each.
#pragma once

namespace kesp {

// Registers the compiled-in pictures; safe to call any number of times.
void InitArtResources();

}  // namespace kesp
