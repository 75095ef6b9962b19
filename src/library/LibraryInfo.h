#pragma once

// C entry points of the shared library OSTLNK9, for hosts that load it at run time
// (dlopen) and want to know what they loaded before they use its C++ classes.
extern "C" {

// The library's version, "major.minor.patch" (as linkwatch::LinkwatchVersion()).
const char* LinkwatchLibraryVersion();

// The real path of the loaded library file; its statistics file OSTLNK9.cfg is
// read from the same folder. Empty when the loader cannot tell.
const char* LinkwatchLibraryPath();
}
