#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace verdal::fuzz {

// The input as the lines of a document file, decoded the way the program decodes files.
std::vector<std::string> DecodedLines(const uint8_t* data, size_t size);
// Writes the input to a file of the given name in a private temporary folder; returns its path.
std::string InputFile(const std::string& name, const uint8_t* data, size_t size);

}  // namespace verdal::fuzz
