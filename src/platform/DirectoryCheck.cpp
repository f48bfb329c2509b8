#include "platform/DirectoryCheck.h"

#include <sys/stat.h>

namespace verdal {

bool IsExistingDirectory(const std::string& path)
{
    struct stat st
    {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace verdal
