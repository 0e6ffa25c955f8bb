#pragma once
// Read access to a compiled HTML help file: its pages, pictures and the topic
// it opens with. Free of Qt, so tests can check a help file with it too.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace help {

class ChmArchive {
public:
    // Null when the file is missing, unreadable or not a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::string& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // The bytes of an entry such as "/index.html" (a missing leading "/" is
    // added; names compare without regard to case, as the format has it).
    // Nothing when there is no such entry, it cannot be read whole, or it is
    // larger than any page or picture of a help file could be.
    std::optional<std::string> read(const std::string& name) const;
    bool contains(const std::string& name) const;

    // The topic the file opens with, as "/name.html": the one its project
    // named, else the first index or default page, else the first page it
    // holds. Empty when it holds no page at all.
    std::string defaultTopic() const;
    // The title its project gave, empty when none.
    std::string title() const;

    // The names of the files it holds (pages, pictures, contents), without
    // the format's own internal entries.
    std::vector<std::string> fileNames() const;

    // The largest entry read() returns.
    static constexpr std::size_t MaxEntrySize = 32u << 20;

private:
    explicit ChmArchive(chmFile* file);
    // The text of one record of the file's system entry, if present.
    std::string systemRecord(int code) const;

    chmFile* file_;
};

}  // namespace help
