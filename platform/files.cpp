#include "platform/files.h"

namespace tavrel {

// Asking for the length is the existence test: any failure (missing file, no
// access, a folder of that name) answers false, and a file of length 0 exists.
bool FileExists(const FileSystem& files, const std::wstring& path) { return files.FileLength(path).has_value(); }

}  // namespace tavrel
