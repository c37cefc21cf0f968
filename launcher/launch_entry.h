#pragma once
// One program of the launch list and the two tables its texts are read through: the window
// modes with their show commands, and the start moments. Both are stored as display texts, in
// either interface language.

#include <array>
#include <string>
#include <string_view>

namespace orv {

struct LaunchEntry {
    std::string fileName;  // without folder
    bool enabled = false;
    std::string folder;  // ends with a backslash; also the started program's working directory
    std::string parameters;
    std::string windowMode;   // a display text of WindowMode, or whatever was typed
    std::string startMoment;  // a display text of StartMoment, or whatever was typed
    int picture = 0;          // index in the launcher's picture list; 0 is the default picture
};

enum class StartMoment { WithMonitor = 0, AfterDial = 1 };
enum class InterfaceLanguage { Russian = 0, English = 1 };

// The platform's show commands the window modes give.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowNoActivate = 4;
inline constexpr int kShowMinNoActive = 7;

// The five items of the window-mode box, in order ("Нормальный размер" first).
const std::array<std::string_view, 5>& WindowModeTexts();
// The window mode a text names in either language (the index of its box item), -1 for others.
int WindowModeIndexOf(std::string_view text);
// The show command of a window-mode text; any text not in the table gives normal.
int ShowCommandOf(std::string_view windowMode);

// The fixed table of the four start-moment texts: index moment for Russian, moment + 2 for
// English.
std::string_view StartMomentText(StartMoment moment, InterfaceLanguage language);
// Whether the text names the moment in either language.
bool NamesMoment(std::string_view text, StartMoment moment);

// The text without leading and trailing blanks and control characters.
std::string_view TrimBlanks(std::string_view text);

}  // namespace orv
