#pragma once

#include <cstdint>
#include <string>

namespace verdal {

// A text file written piece by piece (the run log): opened for appending or created anew,
// written without buffering so that every completed line is on disk, and able to rewrite its
// tail when the writer has to change the encoding of what it wrote. Results are Windows error
// codes (0 = success).
class cOutputFile
{
public:
    cOutputFile() = default;
    ~cOutputFile();
    cOutputFile(const cOutputFile&) = delete;
    cOutputFile& operator=(const cOutputFile&) = delete;

    // Opens `path`: appending when `append` and the file exists, else created empty.
    int Open(const std::string& path, bool append);
    bool IsOpen() const { return fd_ >= 0; }
    int Write(const std::string& bytes);
    // Current size of the file in bytes.
    int64_t Size() const;
    // Reads from `offset` to the end of the file.
    int ReadFrom(int64_t offset, std::string& bytes) const;
    // Cuts the file at `offset`; later writes continue there.
    int Truncate(int64_t offset);
    void Close();

private:
    int fd_ = -1;
};

}  // namespace verdal
