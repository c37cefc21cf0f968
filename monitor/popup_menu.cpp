#include "monitor/popup_menu.h"

#include <array>

namespace orv {

std::span<const PopupMenuEntry> PopupMenuEntries() {
    static constexpr std::array<PopupMenuEntry, 10> kEntries{{
        {"Information", 3},
        {"Statistics", 4},
        {"AllStatistics", 5},
        {"DialUp", 6},
        {"Events", 7},
        {"Options", 8},
        {"Scheduler", 9},
        {"About", 10},
        {"", kSeparator},
        {"Выход", kExitCommand},
    }};
    return kEntries;
}

}  // namespace orv
