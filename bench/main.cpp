// Runs every registered benchmark and prints its figures.
#include "Bench.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* filter = argc > 1 ? argv[1] : "";
    for (const auto& b : trakmora::bench::registry())
        if (std::strstr(b.name, filter)) b.run();
    return 0;
}
