#include "launcher/launch_entry.h"

namespace orv {
namespace {

constexpr std::array<std::string_view, 5> kWindowModes{
    "Нормальный размер", "Свернутое окно", "Развернутое окно", "Нормальное не активированное",
    "Свернутое не активированное"};

struct ModeTexts {
    std::string_view russian;
    std::string_view english;
    int showCommand;
};
// Tested in this order; the normal mode needs no entry, as every other text gives it too.
constexpr std::array<ModeTexts, 4> kModes{{
    {"Свернутое окно", "Minimized window", kShowMinimized},
    {"Развернутое окно", "Maximized window", kShowMaximized},
    {"Нормальное не активированное", "Normal not active", kShowNoActivate},
    {"Свернутое не активированное", "Minimized not active", kShowMinNoActive},
}};

constexpr std::array<std::string_view, 4> kMomentTexts{"При загрузке Orvane", "После дозвона",
                                                       "With Orvane", "After dial complete"};

}  // namespace

const std::array<std::string_view, 5>& WindowModeTexts() {
    return kWindowModes;
}

int WindowModeIndexOf(std::string_view text) {
    if (text == kWindowModes[0]) {
        return 0;
    }
    for (std::size_t at = 0; at < kModes.size(); ++at) {
        if (text == kModes[at].russian || text == kModes[at].english) {
            return static_cast<int>(at) + 1;
        }
    }
    return -1;
}

int ShowCommandOf(std::string_view windowMode) {
    for (const ModeTexts& mode : kModes) {
        if (windowMode == mode.russian || windowMode == mode.english) {
            return mode.showCommand;
        }
    }
    return kShowNormal;
}

std::string_view StartMomentText(StartMoment moment, InterfaceLanguage language) {
    return kMomentTexts[static_cast<std::size_t>(moment) + 2 * static_cast<std::size_t>(language)];
}

bool NamesMoment(std::string_view text, StartMoment moment) {
    return text == StartMomentText(moment, InterfaceLanguage::Russian) ||
           text == StartMomentText(moment, InterfaceLanguage::English);
}

std::string_view TrimBlanks(std::string_view text) {
    // Bytes up to the space are blanks and control characters; UTF-8 sequences never are.
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace orv
