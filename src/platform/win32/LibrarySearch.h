#pragma once
// Where Windows looks for the libraries the program and SAT.DLL need.

namespace platform {

// Called once at start: libraries are then looked for in the system's folders
// and beside the library that needs them, never in the current folder or PATH.
void restrictLibrarySearch();

}  // namespace platform
