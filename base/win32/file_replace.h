#pragma once
// Whole files on the Win32 file API. A replacement goes through a flushed temporary file beside
// the target and one rename, so a crash, a kill or a full disk leaves the previous file whole.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_read.h"
#include "base/outcome.h"

namespace orv {

// writeTemp fills the temporary file whose path it is given; the target is replaced only when
// that and the flush succeed. A read-only target stays as it is.
Outcome ReplaceFileAtomically(const std::string& path,
                              const std::function<Outcome(const std::string&)>& writeTemp);
// Writes all the bytes at the file's current position.
Outcome WriteToFile(void* file, std::string_view bytes);
// Creates or truncates the file and writes the bytes.
Outcome WriteWholeFile(const std::string& path, std::string_view bytes);
// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// The file's bytes, or Missing when the system finds no such file or folder, or the reason it
// could not be opened or read (another program holds it, access denied, a read error).
FileRead ReadEntireFile(const std::string& path);
// False only when the system says there is no such file or folder.
bool FileExists(const std::string& path);

}  // namespace orv
