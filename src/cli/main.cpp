#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("verdal-run %s\n", VERDAL_VERSION);
        return 0;
    }
    std::fprintf(stderr, "Aufruf: verdal-run [--summary] DATEI\n");
    return 3;
}
