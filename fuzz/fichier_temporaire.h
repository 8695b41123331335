#pragma once
// The bytes through a file, for the readers that take a path: one per process, so that two
// fuzzers running side by side do not share it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

inline std::string ecrit_temporaire(const char* extension, const std::uint8_t* donnees, std::size_t taille) {
    const std::string chemin = "/tmp/vuviviva_fuzz_" + std::to_string(getpid()) + extension;
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (!f) std::abort();
    if (taille > 0 && std::fwrite(donnees, 1, taille, f) != taille) std::abort();
    std::fclose(f);
    return chemin;
}

} // namespace fuzz
