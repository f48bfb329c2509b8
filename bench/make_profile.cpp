// Writes a plain backup profile for the benchmark: SOURCE to DESTINATION, every file, touch
// destination only, destination orphans deleted, no verify, log into LOG.
// Usage: make_profile PROFILE SOURCE DESTINATION LOG [own|system]
// "system" makes the profile copy with the system's copy (copy_file_range) instead of the
// program's own block loop.
#include <cstdio>
#include <string>

#include "settings/OptionsFile.h"
#include "settings/Parameters.h"

int main(int argc, char** argv)
{
    using namespace verdal;
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "Aufruf: make_profile PROFIL QUELLE ZIEL LOG [own|system]\n");
        return 3;
    }
    SetOptionsFilePath(std::string(argv[1]) + ".ini");
    cParameters& p = Params();
    p.Reset();
    p.FileKind = 0;
    p.SourceDrive = argv[2];
    p.DestinationDrive = argv[3];
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\*");
    p.CompareFiles.Clear();
    p.CompareFiles.Add("*.*");
    p.DestinationDirectory = "\\";
    p.TouchSrc = false;
    p.TouchDest = true;
    p.OrphanModeD1 = 0;
    p.OrphanModeD2 = 2;
    p.Recycle = false;
    p.Verify = false;
    p.ShowOverview = false;
    p.MyCopy = !(argc == 6 && std::string(argv[5]) == "system");
    p.Log.Filename = argv[4];
    p.Log.Append = false;
    return p.SaveToFile(argv[1]) ? 0 : 3;
}
