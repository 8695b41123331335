#pragma once
// Whole files as bytes, for tests that set up or check files beside the program's readers.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vuv::octets {

inline std::string lit(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void ecrit(const std::filesystem::path& p, const std::string& octets) {
    std::ofstream f(p, std::ios::binary);
    f << octets;
}

} // namespace vuv::octets
