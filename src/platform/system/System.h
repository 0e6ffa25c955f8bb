#pragma once
// What the program asks of the operating system: where it lives, whether it
// already runs, a folder it may write to, and random numbers.

#include <string>

namespace sys {

// The folder that holds the program file, without a trailing "/" (except "/").
std::string appPath();
// Makes folder the process's current directory; false when it cannot.
bool changeDirectory(const std::string& folder);

// True when another instance of the program is running. The first call takes
// a lock that the operating system releases when the process ends in any way,
// so a crashed instance never blocks the next start.
bool prevInstance();

// A folder the program may write its own files to: the program folder when it
// is writable, otherwise the per-user data folder (created when missing).
// Ends in exactly one "/".
std::string writableDataFolder();

// Random numbers in [0, 1), reseeded from the clock on first use.
float rnd();

}  // namespace sys
