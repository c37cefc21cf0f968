#pragma once
// Where the tray information hint goes and what it says: portable arithmetic and text work
// behind the hint window.

#include <string>
#include <string_view>

namespace orv {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The hint's top-left corner: above and to the left of `anchor` where there is room, on the
// other side of the anchor where there is not, and always inside `desktop` as far as the hint
// fits in it.
ScreenPoint HintTopLeft(ScreenPoint anchor, int width, int height, ScreenRect desktop);

// The tray information text breaks lines with a lone carriage return, which a hint window
// does not; each becomes CR LF. Trailing line breaks are dropped so the hint ends with its
// last line instead of an empty one.
std::string HintBody(std::string_view trayText);

}  // namespace orv
