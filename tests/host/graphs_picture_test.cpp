// The shared picture checks on the raster canvas.

#include <memory>

#include "tests/common/graph_picture_cases.h"
#include "tests/common/raster_canvas.h"

namespace orv::testing {
namespace {

struct RasterPictures {
    static std::unique_ptr<Canvas> Make(int width, int height) {
        return std::make_unique<RasterCanvas>(width, height);
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Raster, GraphPictureTest, RasterPictures);

}  // namespace
}  // namespace orv::testing
