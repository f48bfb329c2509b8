#include "settings/Parameters.h"

namespace verdal {

// TODO(options): the options file.
void cParameters::ReadOptions(int) {}
void cParameters::WriteOptions(int) {}
void cParameters::ReadLastUpdate(const std::string&) {}
void cParameters::WriteLastUpdate(const std::string&) {}

}  // namespace verdal
