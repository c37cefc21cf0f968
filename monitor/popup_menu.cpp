#include "monitor/popup_menu.h"

#include <array>

namespace orv {

std::span<const PopupMenuEntry> PopupMenuEntries() {
    static constexpr std::array<PopupMenuEntry, 10> kEntries{{
        {"Information", 3, "Information1"},
        {"Statistics", 4, "Statistics1"},
        {"AllStatistics", 5, "AllStatistics1"},
        {"DialUp", 6, "DialUp1"},
        {"Events", 7, "Events1"},
        {"Options", 8, "Options1"},
        {"Scheduler", 9, "Scheduler1"},
        {"About", 10, "Show1"},
        {"", kSeparator, "N1"},
        {"Выход", kExitCommand, "Exit1"},
    }};
    return kEntries;
}

}  // namespace orv
