#pragma once
// What the help tests share: the help sources, the compiled help file, and
// small file helpers.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace helptest {

inline const std::filesystem::path helpSources =
    std::filesystem::path(SORVANE_SOURCE_DIR) / "src/resources/help";
inline const std::filesystem::path pictureSources =
    std::filesystem::path(SORVANE_SOURCE_DIR) / "src/resources/pictures";
inline const std::filesystem::path helpFile = helpSources / "lindavor.chm";

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Every value of an attribute (src or href) in the page's markup.
inline std::set<std::string> attributeValues(const std::string& page, const std::string& name) {
    std::set<std::string> values;
    const std::regex pattern(name + "=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        values.insert((*it)[1]);
    }
    return values;
}

// The text of a page's <title>.
inline std::string pageTitle(const std::string& page) {
    std::smatch match;
    return std::regex_search(page, match, std::regex("<title>([^<]*)</title>")) ? match[1].str()
                                                                                : std::string();
}

}  // namespace helptest
