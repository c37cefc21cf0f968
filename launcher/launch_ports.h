#pragma once
// What the launch list needs from the world: its file, the shell that opens programs and the
// pictures of program files. Small interfaces so that host tests run the list without Windows.

#include <optional>
#include <string>
#include <string_view>

#include "base/file_read.h"
#include "base/outcome.h"

namespace orv {

// The launch-list file: text in the system's ANSI code page, UTF-8 on this side of the port.
class LaunchListFile {
  public:
    virtual ~LaunchListFile() = default;
    // Creates an empty file unless one exists; an existing file is never touched.
    virtual Outcome CreateIfMissing(const std::string& path) = 0;
    // The whole file as UTF-8, or whether it is missing or why it could not be read.
    virtual FileRead ReadText(const std::string& path) = 0;
    // Replaces the file in one step, so that a failed save leaves the old one whole.
    virtual Outcome ReplaceText(const std::string& path, std::string_view utf8) = 0;
    // Whether the file's code page holds every character of the text unchanged.
    virtual bool Fits(std::string_view utf8) const = 0;
};

enum class OpenResult { Started, Missing, Failed };

// The platform shell's "open" request.
class ProgramShell {
  public:
    virtual ~ProgramShell() = default;
    virtual OpenResult Open(const std::string& file, const std::string& parameters,
                            const std::string& folder, int showCommand) = 0;
};

// The launcher's picture list.
class ProgramPictures {
  public:
    virtual ~ProgramPictures() = default;
    // Adds the program file's first icon and returns its index; 0 (the default picture) when
    // the file has none.
    virtual int PictureOf(const std::string& path) = 0;
};

}  // namespace orv
