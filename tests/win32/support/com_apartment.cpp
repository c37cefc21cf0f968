// The test program's thread enters COM once, as the program's entry does, before any test
// makes an MSXML document.
#include <gtest/gtest.h>

#include <memory>

#include "base/win32/resources.h"

namespace {

class ComApartmentEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { apartment_ = std::make_unique<orv::ComApartment>(); }
    void TearDown() override { apartment_.reset(); }

  private:
    std::unique_ptr<orv::ComApartment> apartment_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ComApartmentEnvironment);

}  // namespace
