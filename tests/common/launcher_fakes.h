#pragma once
// The launch list's ports in memory: a file store that can refuse, a shell that records what it
// was asked to open, pictures numbered in order of request.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "launcher/launch_list.h"
#include "tests/common/dialog_fakes.h"

namespace orv::testing {

class MemoryLaunchFile : public LaunchListFile {
  public:
    Outcome CreateIfMissing(const std::string& path) override {
        if (files.count(path) != 0) {
            return Outcome::Ok();
        }
        if (readOnly) {
            return Outcome::Failed("access denied");
        }
        files[path] = "";
        return Outcome::Ok();
    }
    FileRead ReadText(const std::string& path) override {
        if (unreadable.count(path) != 0) {
            return FileRead::Refused("sharing violation.");
        }
        const auto found = files.find(path);
        return found == files.end() ? FileRead::NotFound() : FileRead::Of(found->second);
    }
    Outcome ReplaceText(const std::string& path, std::string_view utf8) override {
        if (readOnly || unreadable.count(path) != 0) {
            return Outcome::Failed("access denied");
        }
        files[path] = std::string(utf8);
        return Outcome::Ok();
    }
    // Plays a code page without the letter 'ÿ'.
    bool Fits(std::string_view utf8) const override {
        return utf8.find("ÿ") == std::string_view::npos;
    }
    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;  // there, but held open without sharing
    bool readOnly = false;
};

struct Opened {
    std::string file;
    std::string parameters;
    std::string folder;
    int showCommand;
    bool operator==(const Opened&) const = default;
};

class RecordingShell : public ProgramShell {
  public:
    OpenResult Open(const std::string& file, const std::string& parameters,
                    const std::string& folder, int showCommand) override {
        opened.push_back({file, parameters, folder, showCommand});
        return missing.count(file) != 0 ? OpenResult::Missing : OpenResult::Started;
    }
    std::vector<Opened> opened;
    std::set<std::string> missing;
};

// Files named in `withIcon` give pictures 1, 2, ... in order of request; others the default.
class NumberedPictures : public ProgramPictures {
  public:
    int PictureOf(const std::string& path) override {
        asked.push_back(path);
        return withIcon.count(path) != 0 ? ++count : 0;
    }
    std::set<std::string> withIcon;
    std::vector<std::string> asked;
    int count = 0;
};

inline constexpr const char* kFolder = "C:\\Orvane\\";
inline const std::string kListPath = std::string(kFolder) + "apptoload.orl";

struct LaunchRig {
    MemoryLaunchFile file;
    RecordingShell shell;
    NumberedPictures pictures;
    RecordingBoxes boxes;
    RecordingNotices notices;
    LaunchList list{{file, shell, pictures, boxes, notices}, kFolder};
};

}  // namespace orv::testing
