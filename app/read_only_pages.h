// Start-up reads much that the game never reads again: the compressed pictures of the program's
// own resources, the libraries' initialisation tables. Those pages are copies of the files on
// disk, so they can leave the resident set and come back from the page cache on their next use.
#pragma once

namespace kesp {

// Drops from the resident set the pages of every read-only data segment of the program and its
// libraries (never the code, never a writable or relocated segment). Returns the bytes advised.
long DropReadOnlyDataPages();

}  // namespace kesp
