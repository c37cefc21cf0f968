#pragma once
// What a test tells the emulated recogniser: every line appended to the control file is one
// recognition (several, separated by "|", queued together), or a command line starting with
// "#" that makes a set-up step fail or a result's text unreadable.

#include <string>
#include <string_view>
#include <vector>

namespace orv::speechemu {

enum class LineKind {
    Recognitions,    // the phrases of `phrases`, queued before one notification
    Unreadable,      // "#unreadable": one recognition whose text cannot be read
    FailActivation,  // "#fail activation": SetRecoState(SPRST_ACTIVE) fails
    FailDictation,   // "#fail dictation": LoadDictation fails
    RequireAudio,    // "#require audio": activation fails when no audio input was given
    Ignored,         // an empty line or an unknown command
};

struct ControlLine {
    LineKind kind = LineKind::Ignored;
    std::vector<std::string> phrases;  // UTF-8, exactly as written (no trimming)
};

// One line without its line break (a trailing carriage return is dropped).
ControlLine ParseControlLine(std::string_view line);

// Cuts the bytes read from the growing file into complete lines; an unfinished last line waits
// for the rest of it.
class LineSplitter {
  public:
    std::vector<std::string> Feed(std::string_view bytes);

  private:
    std::string pending_;
};

}  // namespace orv::speechemu
