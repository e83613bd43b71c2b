// skingen: writes the default skin and the program's icons and bitmaps.
//   skingen <Skins folder> [<program images folder>]
#include <cstdio>
#include <string>

#include "tools/skingen/skingen.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: skingen <Skins folder> [<program images folder>]\n");
        return 2;
    }
    std::string error;
    if (!skingen::GenerateDefaultSkin(argv[1], &error) ||
        (argc == 3 && !skingen::GenerateProgramImages(argv[2], &error))) {
        std::fprintf(stderr, "skingen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
