#include "monitor/tray_hint_layout.h"

#include <algorithm>

namespace orv {
namespace {

// One axis: before the anchor when it fits, else after it, then kept inside [low, high).
int PlaceBefore(int anchor, int size, int low, int high) {
    int start = anchor - size;
    if (start < low) {
        start = anchor;
    }
    // A hint larger than the desktop keeps its start edge visible.
    return std::max(low, std::min(start, high - size));
}

}  // namespace

ScreenPoint HintTopLeft(ScreenPoint anchor, int width, int height, ScreenRect desktop) {
    return {PlaceBefore(anchor.x, width, desktop.left, desktop.right),
            PlaceBefore(anchor.y, height, desktop.top, desktop.bottom)};
}

std::string HintBody(std::string_view trayText) {
    while (!trayText.empty() && (trayText.back() == '\r' || trayText.back() == '\n')) {
        trayText.remove_suffix(1);
    }
    std::string body;
    body.reserve(trayText.size() + trayText.size() / 8);
    for (std::size_t i = 0; i < trayText.size(); ++i) {
        body += trayText[i];
        const bool lineFeedFollows = i + 1 < trayText.size() && trayText[i + 1] == '\n';
        if (trayText[i] == '\r' && !lineFeedFollows) {
            body += '\n';
        }
    }
    return body;
}

}  // namespace orv
