#pragma once

#include <functional>
#include <string>

namespace verdal {

// Byte-wise comparison of two files in 128 KiB blocks, for verifying copies. `pump` is called
// after each pair of blocks (the caller processes its messages there) and returns true when
// the run is to be aborted. Results: 0 equal, 1235 aborted, 2000 sizes differ, 2001 contents
// differ, or the system's code of a failed open or read. Two symbolic links are equal when
// they point to the same place.
int CompareFilesBytewise(const std::string& a, const std::string& b,
                         const std::function<bool()>& pump = {});

}  // namespace verdal
