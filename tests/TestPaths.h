// Locations of generated fixtures and templates, as the test program sees them.
#pragma once

#include <filesystem>
#include <string>

namespace moji::test {

inline std::filesystem::path Fixture(const std::string& name) {
  return std::filesystem::path(MOJI_FIXTURE_DIR) / name;
}

inline std::filesystem::path Template(const std::string& name) {
  return std::filesystem::path(MOJI_TEMPLATE_DIR) / name;
}

}  // namespace moji::test
