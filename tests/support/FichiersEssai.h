#pragma once
// Files for tests: whole files as bytes, and a folder of its own for the running test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>

namespace vuv::octets {

inline std::string lit(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void ecrit(const std::filesystem::path& p, const std::string& octets) {
    std::ofstream f(p, std::ios::binary);
    f << octets;
}

// Named after the test and the process, so runs in parallel never share it; emptied on entry,
// removed on exit.
class DossierEssai {
public:
    explicit DossierEssai(const std::string& prefixe)
        : chemin_(std::filesystem::path(::testing::TempDir()) / (prefixe + std::to_string(::getpid()) + "_" + nom_du_test())) {
        std::filesystem::remove_all(chemin_);
        std::filesystem::create_directories(chemin_);
    }
    ~DossierEssai() {
        std::error_code e;
        std::filesystem::remove_all(chemin_, e);
    }
    DossierEssai(const DossierEssai&) = delete;
    DossierEssai& operator=(const DossierEssai&) = delete;

    const std::filesystem::path& chemin() const { return chemin_; }

private:
    // A parameterised test is named "Nom/0": one folder, not a folder inside another.
    static std::string nom_du_test() {
        std::string n = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : n)
            if (c == '/') c = '_';
        return n;
    }

    std::filesystem::path chemin_;
};

} // namespace vuv::octets
