#include "platform/help/ChmArchive.h"

#include <chm_lib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>

namespace help {

namespace {

// Record codes of the "#SYSTEM" entry that the help compiler writes.
constexpr int DefaultTopicRecord = 2;
constexpr int TitleRecord = 3;

std::string withLeadingSlash(const std::string& name) {
    return !name.empty() && name.front() == '/' ? name : "/" + name;
}

bool isPage(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.ends_with(".html") || lower.ends_with(".htm");
}

// A record's text ends at its first NUL.
std::string recordText(const std::string& data) {
    return data.substr(0, data.find('\0'));
}

std::uint64_t littleEndian(const unsigned char* bytes, int count) {
    std::uint64_t value = 0;
    for (int index = count - 1; index >= 0; --index) value = value << 8 | bytes[index];
    return value;
}

// Where the file's content section starts, as its header gives it; 0 when
// the header cannot be read.
std::uint64_t contentOffset(const std::string& path) {
    constexpr std::size_t HeaderSize = 0x60;
    unsigned char header[HeaderSize] = {};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header), HeaderSize)) return 0;
    if (std::string(reinterpret_cast<char*>(header), 4) != "ITSF") return 0;
    const std::uint64_t version = littleEndian(header + 0x04, 4);
    const std::uint64_t directoryOffset = littleEndian(header + 0x48, 8);
    const std::uint64_t directoryLength = littleEndian(header + 0x50, 8);
    return version >= 3 ? littleEndian(header + 0x58, 8) : directoryOffset + directoryLength;
}

struct WholenessCheck {
    std::uint64_t contentStart = 0;
    std::uint64_t fileSize = 0;
    bool whole = true;
};

int checkStoredEntry(chmFile* /*file*/, chmUnitInfo* unit, void* context) {
    auto& check = *static_cast<WholenessCheck*>(context);
    // Entries of the stored section lie in the file as they are; the
    // compressed pages live inside one of them.
    if (unit->space == CHM_UNCOMPRESSED &&
        (unit->start > check.fileSize || unit->length > check.fileSize ||
         check.contentStart + unit->start + unit->length > check.fileSize)) {
        check.whole = false;
        return CHM_ENUMERATOR_SUCCESS;
    }
    return CHM_ENUMERATOR_CONTINUE;
}

int collectFileName(chmFile* /*file*/, chmUnitInfo* unit, void* context) {
    const std::string name = unit->path;
    // Names starting "/#" or "/$" are the format's own bookkeeping.
    if (name.size() > 1 && name.front() == '/' && name[1] != '#' && name[1] != '$' &&
        name.back() != '/') {
        static_cast<std::vector<std::string>*>(context)->push_back(name);
    }
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& path) {
    // The library reads whatever it is given; a folder or a device is no help file.
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    chmFile* file = chm_open(path.c_str());
    if (file == nullptr) return nullptr;
    auto archive = std::unique_ptr<ChmArchive>(new ChmArchive(file));
    // The library reads a file cut short as if the missing part were zeros,
    // so a cut file would show empty pages: it counts as unreadable.
    WholenessCheck check{contentOffset(path), static_cast<std::uint64_t>(info.st_size)};
    if (check.contentStart == 0 || check.contentStart > check.fileSize) return nullptr;
    chm_enumerate(file, CHM_ENUMERATE_ALL, checkStoredEntry, &check);
    if (!check.whole) return nullptr;
    return archive;
}

ChmArchive::ChmArchive(chmFile* file) : file_(file) {}

ChmArchive::~ChmArchive() {
    chm_close(file_);
}

std::optional<std::string> ChmArchive::read(const std::string& name) const {
    const std::string path = withLeadingSlash(name);
    if (path.size() > CHM_MAX_PATHLEN) return std::nullopt;
    chmUnitInfo unit{};
    if (chm_resolve_object(file_, path.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
    if (unit.length > MaxEntrySize) return std::nullopt;
    std::string data(static_cast<std::size_t>(unit.length), '\0');
    if (data.empty()) return data;
    const LONGINT64 got =
        chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(data.size()));
    if (got != static_cast<LONGINT64>(data.size())) return std::nullopt;
    return data;
}

bool ChmArchive::contains(const std::string& name) const {
    const std::string path = withLeadingSlash(name);
    if (path.size() > CHM_MAX_PATHLEN) return false;
    chmUnitInfo unit{};
    return chm_resolve_object(file_, path.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::string ChmArchive::systemRecord(int code) const {
    const std::optional<std::string> system = read("/#SYSTEM");
    if (!system) return {};
    const std::string& data = *system;
    auto word = [&data](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(data[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(data[at + 1])) << 8;
    };
    // A version number, then records of a code, a length and that many bytes.
    std::size_t at = 4;
    while (at + 4 <= data.size()) {
        const unsigned recordCode = word(at);
        const std::size_t length = word(at + 2);
        at += 4;
        if (length > data.size() - at) break;
        if (recordCode == static_cast<unsigned>(code)) return recordText(data.substr(at, length));
        at += length;
    }
    return {};
}

std::string ChmArchive::defaultTopic() const {
    if (const std::string named = systemRecord(DefaultTopicRecord); !named.empty()) {
        const std::string path = withLeadingSlash(named);
        if (contains(path)) return path;
    }
    for (const char* usual : {"/index.html", "/index.htm", "/default.html", "/default.htm"}) {
        if (contains(usual)) return usual;
    }
    for (const std::string& name : fileNames()) {
        if (isPage(name)) return name;
    }
    return {};
}

std::string ChmArchive::title() const {
    return systemRecord(TitleRecord);
}

std::vector<std::string> ChmArchive::fileNames() const {
    std::vector<std::string> names;
    chm_enumerate(file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFileName, &names);
    return names;
}

}  // namespace help
