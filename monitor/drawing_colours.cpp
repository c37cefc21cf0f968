#include "monitor/drawing_colours.h"

namespace orv {

DrawingColours& SharedDrawingColours() {
    static DrawingColours colours;
    return colours;
}

}  // namespace orv
