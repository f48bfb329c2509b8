#pragma once

#include <memory>
#include <string>
#include <vector>

namespace verdal {

// One INI file in memory: loaded whole, changed, then saved atomically. Keys and section names
// compare case-insensitively (as Windows INI files do); text is UTF-8; a missing file reads as
// empty, so every lookup gives its default.
class cIniFile
{
public:
    cIniFile();
    ~cIniFile();
    cIniFile(const cIniFile&) = delete;
    cIniFile& operator=(const cIniFile&) = delete;

    // Reads `path`; returns a Windows error code (a missing file is success: the file is empty).
    int Load(const std::string& path);
    // Writes the contents to the path given to Load, through a temporary file; creates the
    // directory when it is missing. Returns a Windows error code.
    int Save() const;

    bool HasKey(const std::string& section, const std::string& key) const;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def = {}) const;
    // A decimal integer in [min, max]; a missing key, a non-number or a value out of range
    // gives `def`.
    long long GetInt(const std::string& section, const std::string& key, long long def,
                     long long min, long long max) const;
    bool GetBool(const std::string& section, const std::string& key, bool def) const;
    // Key names of `section` in file order.
    std::vector<std::string> Keys(const std::string& section) const;

    // Line breaks in a value are written as blanks: they would end the entry.
    void SetString(const std::string& section, const std::string& key, const std::string& value);
    void SetInt(const std::string& section, const std::string& key, long long value);
    void SetBool(const std::string& section, const std::string& key, bool value);

private:
    struct Data;
    std::unique_ptr<Data> data_;
};

}  // namespace verdal
