#include <string>
#include <vector>

#include "platform/WinError.h"
#include "settings/BatchFile.h"
#include "settings/ErrorText.h"
#include "settings/LineFile.h"
#include "settings/Parameters.h"
#include "settings/Presenter.h"
#include "settings/ProfileFile.h"

namespace verdal {
namespace {

using LayoutReader = bool (*)(cLineReader&, cParameters&);

// The reader for a first line; null when no layout starts with it (the match is exact,
// letter case included).
LayoutReader ReaderFor(const std::string& firstLine)
{
    const auto matches = [&](const auto& markers) {
        for (const char* marker : markers) {
            if (firstLine == marker) {
                return true;
            }
        }
        return false;
    };
    if (matches(kProfileMarkers)) {
        return ReadCurrentProfile;
    }
    if (matches(kBatchMarkers)) {
        return ReadCurrentBatch;
    }
    if (firstLine == kVersion3ProfileMarker) {
        return ReadVersion3Profile;
    }
    if (firstLine == kVersion3BatchMarker) {
        return ReadVersion3Batch;
    }
    if (matches(kUnversionedProfileMarks)) {
        return ReadUnversionedProfile;
    }
    return nullptr;
}

void ShowFileError(const char* what, const std::string& path, int code)
{
    Presenter().Show(
        {BoxKind::Error, BoxButtons::Ok, std::string(what) + "\r" + path + "\r" + ErrorText(code)});
}

// Marks the document as just loaded or saved under `path`.
void MarkStored(cParameters& p, const std::string& path)
{
    p.Untitled = false;
    p.Modified = false;
    p.Programm.LastFile = path;
}

}  // namespace

bool ReadDocumentFile(const std::string& path, cParameters& params, int& error)
{
    std::vector<std::string> lines;
    error = ReadLineFile(path, lines);
    if (error != kErrSuccess) {
        return false;
    }
    cLineReader reader(std::move(lines));
    const LayoutReader read = ReaderFor(reader.NextLine());
    // A file that cannot be read whole leaves the open document as it was.
    cParameters loaded = params;
    if (read == nullptr || !read(reader, loaded)) {
        error = kErrInvalidFormat;
        return false;
    }
    MarkStored(loaded, path);
    params = std::move(loaded);
    return true;
}

bool cParameters::LoadFromFile(const std::string& path)
{
    int error = kErrSuccess;
    if (ReadDocumentFile(path, *this, error)) {
        return true;
    }
    ShowFileError("Fehler beim Lesen von...", path, error);
    return false;
}

bool cParameters::SaveToFile(const std::string& path)
{
    const std::vector<std::string> lines = FileKind == 1 ? BatchLines(*this) : ProfileLines(*this);
    const int error = WriteLineFile(path, lines);
    if (error != kErrSuccess) {
        ShowFileError("Fehler beim Schreiben von...", path, error);
        return false;
    }
    OldFormat = false;
    MarkStored(*this, path);
    return true;
}

}  // namespace verdal
