#pragma once
// Whole-file reading and replacing, with failures described for the user.
//
// A file is replaced by writing a temporary file beside it, flushing it to the
// disk and renaming it over the old one, so a failure at any point leaves the
// old file as it was.

#include <cstddef>
#include <string>
#include <string_view>

namespace score {

struct FileReadResult {
    std::string bytes;
    std::string error;  // empty on success; otherwise names the file and the reason
    bool ok() const { return error.empty(); }
};

// Files larger than this are refused instead of being read into memory.
constexpr std::size_t MaxReadSize = 64u * 1024u * 1024u;

FileReadResult readWholeFile(const std::string& path, std::size_t maxSize = MaxReadSize);

// Writes `bytes` as the new content of `path`. An existing file keeps its
// permissions, a new one gets the usual ones for the user; a file without any
// write permission is not replaced. Returns an empty string on success, else a
// message that names the file and the reason.
std::string replaceFileContent(const std::string& path, std::string_view bytes);

}  // namespace score
