#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/common/launcher_fakes.h"

namespace orv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kListPath;
using testing::LaunchRig;
using testing::MemoryLaunchFile;
using testing::NumberedPictures;
using testing::kFolder;
using testing::Opened;
using testing::RecordingBoxes;
using testing::RecordingShell;

LaunchEntry Entry(std::string name, bool enabled, std::string mode, std::string moment,
                  std::string parameters = {}) {
    return {.fileName = std::move(name),
            .enabled = enabled,
            .folder = "C:\\Tools\\",
            .parameters = std::move(parameters),
            .windowMode = std::move(mode),
            .startMoment = std::move(moment)};
}

TEST(LaunchList, RussianEntrySavesAsSixLinesAndReadsBack) {
    LaunchRig rig;
    rig.list.Entries().push_back(
        Entry("probe.exe", true, "Нормальный размер", "При загрузке Orvane"));
    rig.list.SaveLaunchList();
    EXPECT_EQ(rig.file.files[kListPath],
              "probe.exe\r\n@1\r\n\tC:\\Tools\\\r\n\t\r\n\tНормальный размер\r\n"
              "\tПри загрузке Orvane\r\n");

    rig.pictures.withIcon = {"C:\\Tools\\probe.exe"};
    rig.list.LoadLaunchList();
    ASSERT_EQ(rig.list.Entries().size(), 1u);
    const LaunchEntry& entry = rig.list.Entries()[0];
    EXPECT_EQ(entry.fileName, "probe.exe");
    EXPECT_TRUE(entry.enabled);
    EXPECT_EQ(entry.folder, "C:\\Tools\\");
    EXPECT_EQ(entry.parameters, "");
    EXPECT_EQ(entry.windowMode, "Нормальный размер");
    EXPECT_EQ(entry.startMoment, "При загрузке Orvane");
    EXPECT_EQ(entry.picture, 1);
    EXPECT_THAT(rig.boxes.shown, IsEmpty());
}

TEST(LaunchList, BothLanguagesStartTheSameProgramsWithTheSameShowCommands) {
    LaunchRig rig;
    auto& entries = rig.list.Entries();
    entries = {Entry("a.exe", true, "Minimized window", "With Orvane", "-x"),
               Entry("b.exe", true, "Свернутое окно", "При загрузке Orvane", "-x"),
               Entry("c.exe", true, "Maximized window", "After dial complete"),
               Entry("d.exe", true, "Развернутое окно", "После дозвона"),
               Entry("e.exe", true, "Normal not active", "With Orvane"),
               Entry("f.exe", true, "Свернутое не активированное", "With Orvane"),
               Entry("g.exe", true, "Minimised window", "With Orvane"),  // typed by hand
               Entry("h.exe", true, "Свернутое окно", "При загрузке Orvan"),
               Entry("i.exe", false, "Свернутое окно", "При загрузке Orvane"),
               Entry("j.exe", false, "Свернутое окно", "После дозвона")};
    rig.list.LaunchPrograms(StartMoment::WithMonitor);
    EXPECT_THAT(rig.shell.opened,
                ElementsAre(Opened{"C:\\Tools\\a.exe", "-x", "C:\\Tools\\", kShowMinimized},
                            Opened{"C:\\Tools\\b.exe", "-x", "C:\\Tools\\", kShowMinimized},
                            Opened{"C:\\Tools\\e.exe", "", "C:\\Tools\\", kShowNoActivate},
                            Opened{"C:\\Tools\\f.exe", "", "C:\\Tools\\", kShowMinNoActive},
                            Opened{"C:\\Tools\\g.exe", "", "C:\\Tools\\", kShowNormal}));
    rig.shell.opened.clear();
    rig.list.LaunchPrograms(StartMoment::AfterDial);
    EXPECT_THAT(rig.shell.opened,
                ElementsAre(Opened{"C:\\Tools\\c.exe", "", "C:\\Tools\\", kShowMaximized},
                            Opened{"C:\\Tools\\d.exe", "", "C:\\Tools\\", kShowMaximized}));
    EXPECT_EQ(StartMomentText(StartMoment::AfterDial, InterfaceLanguage::English),
              "After dial complete");
}

TEST(LaunchList, ProgramsThatAreMissingAreNamedInTheStatusAndTheOthersStillStart) {
    MemoryLaunchFile file;
    RecordingShell shell;
    NumberedPictures pictures;
    RecordingBoxes boxes;
    testing::RecordingNotices notices;
    std::vector<std::string> status;
    LanguageCode language("Eng");
    LaunchList list({file, shell, pictures, boxes, notices,
                     [&status](const std::string& text) { status.push_back(text); }, &language},
                    kFolder);
    list.Entries() = {Entry("a.exe", true, "", "With Orvane"), Entry("b.exe", true, "", "With Orvane"),
                      Entry("c.exe", true, "", "With Orvane")};
    shell.missing = {"C:\\Tools\\a.exe", "C:\\Tools\\c.exe"};
    list.LaunchPrograms(StartMoment::WithMonitor);
    EXPECT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(status, std::vector<std::string>{
                          "Program not found: C:\\Tools\\a.exe, C:\\Tools\\c.exe"});
    shell.missing.clear();
    list.LaunchPrograms(StartMoment::WithMonitor);
    EXPECT_EQ(status.size(), 1u) << "nothing to tell";
}

TEST(LaunchList, ParametersComeBackTrimmedAndAnAtNameRoundTrips) {
    LaunchRig rig;
    rig.list.Entries() = {Entry("@tool.exe", false, "Свернутое окно", "После дозвона", "  -a b \t"),
                          Entry("@1", true, "x", "y")};
    rig.list.SaveLaunchList();
    rig.list.LoadLaunchList();
    ASSERT_EQ(rig.list.Entries().size(), 2u);
    EXPECT_EQ(rig.list.Entries()[0].fileName, "@tool.exe");
    EXPECT_FALSE(rig.list.Entries()[0].enabled);
    EXPECT_EQ(rig.list.Entries()[0].parameters, "-a b");
    EXPECT_EQ(rig.list.Entries()[0].startMoment, "После дозвона");
    EXPECT_EQ(rig.list.Entries()[1].fileName, "@1");
    EXPECT_TRUE(rig.list.Entries()[1].enabled);
    EXPECT_EQ(rig.list.Entries()[1].startMoment, "y");
}

struct Malformed {
    const char* text;
    std::vector<std::string> names;
    std::vector<std::string> moments;
};

TEST(LaunchList, LinesOutsideTheLayoutAreSkippedAndTheRestKept) {
    const Malformed cases[] = {
        {"", {}, {}},
        {"\r\n\r\n", {}, {}},
        {"@1\r\n\tC:\\\r\na.exe\r\n@1\r\n\tC:\\\r\n\t\r\n\tm\r\n\tWith Orvane\r\n",
         {"a.exe"},
         {"With Orvane"}},
        {"\tC:\\\r\n\r\na.exe\r\n\r\n@1\r\n\tC:\\\r\n\t\r\n\tm\r\n\tWith Orvane",
         {"a.exe"},
         {"With Orvane"}},
        {"a.exe\r\n@1\r\n\tC:\\\r\n\t\r\n\tm\r\n\tWith Orvane\r\nb.exe\r\n@1\r\n",
         {"a.exe", "b.exe"},
         {"With Orvane", ""}},
        {"a.exe\r\nb.exe\r\n@0\r\n\tC:\\\r\n\t\r\n\tm\r\n\tmoment\n",
         {"a.exe", "b.exe"},
         {"", "moment"}},
        {"a.exe", {"a.exe"}, {""}},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.text);
        LaunchRig rig;
        rig.file.files[kListPath] = c.text;
        rig.list.LoadLaunchList();
        std::vector<std::string> names;
        std::vector<std::string> moments;
        for (const LaunchEntry& entry : rig.list.Entries()) {
            names.push_back(entry.fileName);
            moments.push_back(entry.startMoment);
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(moments, c.moments);
        rig.list.LaunchPrograms(StartMoment::WithMonitor);
        EXPECT_LE(rig.shell.opened.size(), 1u);
    }
}

TEST(LaunchList, MissingFileIsCreatedAndAFailedSaveIsShownOnce) {
    LaunchRig rig;
    rig.list.LoadLaunchList();
    EXPECT_EQ(rig.file.files.at(kListPath), "");

    LaunchRig readOnly;
    readOnly.file.readOnly = true;
    readOnly.list.LoadLaunchList();
    EXPECT_THAT(readOnly.list.Entries(), IsEmpty());
    EXPECT_THAT(readOnly.boxes.shown, IsEmpty());
    readOnly.list.Entries().push_back(Entry("a.exe", true, "m", "With Orvane"));
    readOnly.list.SaveLaunchList();
    ASSERT_EQ(readOnly.boxes.shown.size(), 1u);
    EXPECT_EQ(readOnly.boxes.shown[0].title, "Ошибка");
    EXPECT_THAT(readOnly.boxes.shown[0].text, ::testing::HasSubstr("access denied"));
}

// A list held open by another program at the start: the user is told once, without a box, and
// the exit puts no empty list over it; a list the user then makes is saved.
TEST(LaunchList, AFileThatCouldNotBeReadIsNotReplacedUnlessTheUserMakesAList) {
    LaunchRig rig;
    const std::string users = FormatLaunchList({Entry("a.exe", true, "m", "With Orvane")});
    rig.file.files[kListPath] = users;
    rig.file.unreadable.insert(kListPath);
    rig.list.LoadLaunchList();
    EXPECT_THAT(rig.list.Entries(), IsEmpty());
    ASSERT_EQ(rig.notices.told.size(), 1u);
    EXPECT_THAT(rig.notices.told[0], ::testing::HasSubstr("(sharing violation)"));
    rig.file.unreadable.clear();  // released before the exit
    rig.list.SaveLaunchList();
    EXPECT_EQ(rig.file.files[kListPath], users);
    EXPECT_THAT(rig.boxes.shown, IsEmpty());

    rig.list.Entries().push_back(Entry("b.exe", true, "m", "With Orvane"));
    rig.list.SaveLaunchList();
    rig.list.Entries().clear();
    rig.list.SaveLaunchList();  // the file is the user's new list now: emptied as asked
    EXPECT_EQ(rig.file.files[kListPath], "");
    EXPECT_EQ(rig.notices.told.size(), 1u);
}

}  // namespace
}  // namespace orv
