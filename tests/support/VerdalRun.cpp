#include "support/VerdalRun.h"

#include <sys/wait.h>

#include <cstdlib>

namespace verdal::test {

int RunVerdalRun(TestDir& dir, const std::string& binary, const std::string& arguments,
                 const std::string& input)
{
    dir.createFile("in", input);
    const std::string data = dir.createDir(".home/.local/share");
    const std::string command =
        "HOME='" + dir.filePath(".home") + "' XDG_CONFIG_HOME='" + dir.path() +
        "' XDG_DATA_HOME='" + data + "' timeout --foreground 60 '" + binary + "' --ini '" +
        dir.filePath("v.ini") + "' " + arguments + " <'" + dir.filePath("in") + "' >'" +
        dir.filePath("out") + "' 2>'" + dir.filePath("err") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace verdal::test
