#pragma once
// Splits a media command into words: blanks separate words, double quotes
// hold blanks inside a word, and within quotes \" and \\ stand for " and \.

#include <optional>
#include <string>
#include <vector>

namespace media {

// nullopt when a quote is left open.
std::optional<std::vector<std::string>> splitCommandWords(const std::string& command);

}  // namespace media
