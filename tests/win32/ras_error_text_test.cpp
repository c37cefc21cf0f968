// Error texts through the Windows connection source: the service's text for its own codes, the
// system's message for codes it does not know (Win32 codes, HRESULTs), the code itself last.

#include <gtest/gtest.h>

#include "monitor/ras_connection_source_win32.h"
#include "monitor/service_error_text.h"
#include "tests/common/emulated_ras_scenario.h"

namespace orv {
namespace {

TEST(RasErrorText, EveryCodeGetsTheBestTextThereIs) {
    testing::EmulatedScenario scenario("");
    Win32ConnectionSource source;
    std::string serviceText;
    ASSERT_EQ(source.GetErrorString(kRasLineBusy, kMonitorErrorTextChars, serviceText),
              kRasSuccess);
    EXPECT_EQ(ServiceErrorText(source, kRasLineBusy, kDialerErrorTextChars), serviceText);

    // E_INVALIDARG, as RasGetConnectionStatistics may answer, and a plain Win32 code.
    for (const RasResult code : {RasResult{0x80070057u}, RasResult{ERROR_ACCESS_DENIED}}) {
        const std::string text = ServiceErrorText(source, code, kMonitorErrorTextChars);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.rfind("Ошибка", 0), std::string::npos) << code << ": " << text;
        EXPECT_NE(text.back(), '\n') << text;
    }
    EXPECT_EQ(ServiceErrorText(source, 0x2ABCDEF0u, kMonitorErrorTextChars),
              "Ошибка " + std::to_string(0x2ABCDEF0u));
}

}  // namespace
}  // namespace orv
