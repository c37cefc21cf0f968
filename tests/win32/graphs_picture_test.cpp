// The shared picture checks on the GDI canvas, read back from its DIB section.

#include <memory>

#include "monitor/gdi_canvas_win32.h"
#include "tests/common/graph_picture_cases.h"

namespace orv::testing {
namespace {

struct GdiPictures {
    static std::unique_ptr<Canvas> Make(int width, int height) {
        return std::make_unique<GdiCanvas>(width, height);
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Gdi, GraphPictureTest, GdiPictures);

}  // namespace
}  // namespace orv::testing
