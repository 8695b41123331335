// genere_metafichiers emf <fichier> <cadre l, 0.01 mm> <cadre h>
// genere_metafichiers wmf <fichier> <l> <h> <unités par pouce, 0 sans en-tête plaçable>
#include "GenerateursMetafichiers.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "emf") == 0)
        return test::ecrit_emf(argv[2], std::atoi(argv[3]), std::atoi(argv[4])) ? 0 : 1;
    if (argc == 6 && std::strcmp(argv[1], "wmf") == 0)
        return test::ecrit_wmf(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), static_cast<unsigned>(std::atoi(argv[5]))) ? 0 : 1;
    return 2;
}
