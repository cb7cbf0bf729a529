// Writes the fuzz run's seeds, the valid and damaged data files the tests
// share, into the folder named on the command line.
#include <fstream>

#include "ItemBytes.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    for (const auto& [name, bytes] : items::seedFiles()) {
        std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
        out << bytes;
        if (!out) return 1;
    }
    return 0;
}
