// Reading the control file as a test appends to it: whole lines only, each once.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/rasemu/control_file.h"

namespace orv::rasemu {
namespace {

class ControlFileTailTest : public ::testing::Test {
  protected:
    void Append(const std::string& text) {
        std::ofstream(path_, std::ios::binary | std::ios::app) << text;
    }
    void Rewrite(const std::string& text) {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
    }
    ~ControlFileTailTest() override { std::filesystem::remove(path_); }

    const std::string path_ = (std::filesystem::temp_directory_path() /
                               ("rasemu-control-" + std::to_string(::getpid()) + ".txt"))
                                  .string();
};

TEST_F(ControlFileTailTest, HandsOutEachCompleteLineOnce) {
    ControlFileTail tail(path_);
    EXPECT_TRUE(tail.NewLines().empty());  // not there yet
    Append("start \"Home ISP\"\r\ndrop");
    EXPECT_EQ(tail.NewLines(), (std::vector<std::string>{"start \"Home ISP\""}));
    EXPECT_TRUE(tail.NewLines().empty());
    Append(" \"Home ISP\"\nfault enum 603\n\n");
    EXPECT_EQ(tail.NewLines(),
              (std::vector<std::string>{"drop \"Home ISP\"", "fault enum 603", ""}));
    EXPECT_TRUE(tail.NewLines().empty());
}

TEST_F(ControlFileTailTest, AFileWrittenAnewIsReadFromItsStart) {
    ControlFileTail tail(path_);
    Append("start\nstart\n");
    EXPECT_EQ(tail.NewLines().size(), 2u);
    Rewrite("drop\n");
    EXPECT_EQ(tail.NewLines(), (std::vector<std::string>{"drop"}));
}

TEST(ReadWholeFile, MissingFileIsNothing) {
    EXPECT_FALSE(ReadWholeFile("/nonexistent/rasemu/scenario.scn"));
}

}  // namespace
}  // namespace orv::rasemu
