#include "settings/IniFile.h"

// Text stays UTF-8 bytes, so no wide-character converter; the template bodies are compiled
// here, in the one file that uses them.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <charconv>

#include "platform/AppPaths.h"
#include "platform/FileIO.h"
#include "platform/WinError.h"
#include "settings/TextCodec.h"

namespace verdal {

struct cIniFile::Data
{
    CSimpleIniA Ini{true, false, false};
    std::string Path;
};

cIniFile::cIniFile() : data_(std::make_unique<Data>())
{
    // "key=value" without blanks, as the Windows profile functions write it.
    data_->Ini.SetSpaces(false);
}

cIniFile::~cIniFile() = default;

constexpr int64_t kMaxIniFileBytes = 16 << 20;

int cIniFile::Load(const std::string& path)
{
    data_->Ini.Reset();
    data_->Path = path;
    std::string bytes;
    // A FIFO or device put in the options file's place must not hang the program.
    const int err = ReadRegularFile(path, bytes, kMaxIniFileBytes);
    if (err == kErrFileNotFound || err == kErrPathNotFound) {
        return kErrSuccess;
    }
    if (err != kErrSuccess) {
        return err;
    }
    // Files copied from Windows are Windows-1252; the program's strings are UTF-8.
    return data_->Ini.LoadData(DecodeText(bytes)) < 0 ? kErrInvalidFormat : kErrSuccess;
}

int cIniFile::Save() const
{
    std::string bytes;
    if (data_->Ini.Save(bytes) < 0) {
        return kErrWriteFault;
    }
    const size_t slash = data_->Path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        if (const int err = EnsureDirectory(data_->Path.substr(0, slash)); err != kErrSuccess) {
            return err;
        }
    }
    return WriteFileAtomic(data_->Path, bytes);
}

bool cIniFile::HasKey(const std::string& section, const std::string& key) const
{
    return data_->Ini.GetValue(section.c_str(), key.c_str()) != nullptr;
}

std::string cIniFile::GetString(const std::string& section, const std::string& key,
                                const std::string& def) const
{
    const char* value = data_->Ini.GetValue(section.c_str(), key.c_str());
    return value ? std::string(value) : def;
}

long long cIniFile::GetInt(const std::string& section, const std::string& key, long long def,
                           long long min, long long max) const
{
    const char* value = data_->Ini.GetValue(section.c_str(), key.c_str());
    if (!value) {
        return def;
    }
    std::string_view text(value);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || result < min ||
        result > max) {
        return def;
    }
    return result;
}

bool cIniFile::GetBool(const std::string& section, const std::string& key, bool def) const
{
    return GetInt(section, key, def ? 1 : 0, INT32_MIN, INT32_MAX) != 0;
}

std::vector<std::string> cIniFile::Keys(const std::string& section) const
{
    CSimpleIniA::TNamesDepend keys;
    data_->Ini.GetAllKeys(section.c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> result;
    for (const auto& entry : keys) {
        result.emplace_back(entry.pItem);
    }
    return result;
}

void cIniFile::SetString(const std::string& section, const std::string& key,
                         const std::string& value)
{
    std::string clean = value;
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    data_->Ini.SetValue(section.c_str(), key.c_str(), clean.c_str());
}

void cIniFile::SetInt(const std::string& section, const std::string& key, long long value)
{
    SetString(section, key, std::to_string(value));
}

void cIniFile::SetBool(const std::string& section, const std::string& key, bool value)
{
    SetString(section, key, value ? "1" : "0");
}

}  // namespace verdal
