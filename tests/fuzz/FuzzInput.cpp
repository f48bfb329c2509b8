#include "FuzzInput.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "settings/LineFile.h"
#include "settings/TextCodec.h"

namespace verdal::fuzz {

std::vector<std::string> DecodedLines(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    return SplitLines(DecodeText(bytes));
}

std::string InputFile(const std::string& name, const uint8_t* data, size_t size)
{
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/verdal-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        static const std::string made = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(made, ec);
        });
        return pattern;
    }();
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace verdal::fuzz
