#include "ExportCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace scoretest {

std::unique_ptr<Score> emptyScore() {
    auto score = std::make_unique<Score>();
    score::clearScore(score->notes, score->instruments);
    return score;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace scoretest
