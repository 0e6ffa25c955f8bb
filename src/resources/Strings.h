#pragma once
// The program's string table: the General MIDI program names (ids 100..227)
// and percussion key names (ids 35..81).

#include <string>

namespace resources {

// The string with that id; "" for an id the table does not hold.
std::string LoadResString(int id);

}  // namespace resources
