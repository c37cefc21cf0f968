// The emulated recogniser's control file: lines, phrases and commands.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/speechemu/control_script.h"

namespace orv::speechemu {
namespace {

using Lines = std::vector<std::string>;

TEST(SpeechemuControl, PhrasesAreTakenExactlyAndBarsQueueSeveral) {
    EXPECT_EQ(ParseControlLine("more statistics").phrases, Lines{"more statistics"});
    EXPECT_EQ(ParseControlLine("Show.\r").phrases, Lines{"Show."});
    EXPECT_EQ(ParseControlLine(" show ").phrases, Lines{" show "});
    const ControlLine several = ParseControlLine("information|about||dial up");
    EXPECT_EQ(several.kind, LineKind::Recognitions);
    EXPECT_EQ(several.phrases, (Lines{"information", "about", "dial up"}));
    EXPECT_EQ(ParseControlLine("").kind, LineKind::Ignored);
    EXPECT_EQ(ParseControlLine("|").kind, LineKind::Ignored);
}

TEST(SpeechemuControl, CommandLinesNameTheStepThatFails) {
    EXPECT_EQ(ParseControlLine("#fail activation").kind, LineKind::FailActivation);
    EXPECT_EQ(ParseControlLine("#fail dictation\r").kind, LineKind::FailDictation);
    EXPECT_EQ(ParseControlLine("#require audio").kind, LineKind::RequireAudio);
    EXPECT_EQ(ParseControlLine("#unreadable").kind, LineKind::Unreadable);
    EXPECT_EQ(ParseControlLine("#fail everything").kind, LineKind::Ignored);
    EXPECT_TRUE(ParseControlLine("#unreadable").phrases.empty());
}

TEST(SpeechemuControl, AnUnfinishedLineWaitsForItsEnd) {
    LineSplitter splitter;
    EXPECT_EQ(splitter.Feed("exi"), Lines{});
    EXPECT_EQ(splitter.Feed("t\r\nshow\nmore "), (Lines{"exit\r", "show"}));
    EXPECT_EQ(splitter.Feed("statistics\n\n"), (Lines{"more statistics", ""}));
    EXPECT_EQ(splitter.Feed(""), Lines{});
}

}  // namespace
}  // namespace orv::speechemu
