// The launcher page's real controls and adapters in-process under Wine: the reactions reach
// the controls' enabled states and texts, program files give their icons, and a save that
// cannot write leaves the old file.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/launch_page_win32.h"
#include "app/main_window_win32.h"
#include "base/win32/wide_text.h"
#include "launcher/launch_files_win32.h"
#include "stats_test_folder.h"
#include "tests/common/launcher_fakes.h"

namespace orv {
namespace {

std::string BinFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string path = Narrow(self);
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string Cell(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

int Picture(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

class LauncherPage : public ::testing::Test {
  protected:
    void SetUp() override {
        MainWindowEvents events;
        events.controls = &controls;
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr), std::move(events)));
        view = std::make_unique<Win32LaunchPageView>(
            [this](std::string_view id) { return window.Control(id); }, pictures.List());
        page = std::make_unique<LaunchPage>(list, *view, dialogs);
        view->Register(controls, *page);
    }

    HWND Control(std::string_view id) const { return window.Control(id); }
    bool Enabled(std::string_view id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    // What the control's parent gets when the user acts on it.
    void Report(std::string_view id, int code) const {
        HWND control = Control(id);
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    }
    void Click(std::string_view id) const { Report(id, BN_CLICKED); }
    void SetRowState(int row, UINT state, UINT mask) const {
        LVITEMW item{};
        item.state = state;
        item.stateMask = mask;
        SendMessageW(Control(ids::kLaunchList), LVM_SETITEMSTATE, row,
                     reinterpret_cast<LPARAM>(&item));
    }

    testing::TempProgramFolder folder{false};
    ControlReactions controls;
    MainWindow window;
    Win32LaunchListFile file;
    testing::RecordingShell shell;
    Win32ProgramPictures pictures;
    testing::RecordingBoxes boxes;
    testing::RecordingNotices notices;
    testing::ScriptedDialogs dialogs;
    LaunchList list{{file, shell, pictures, boxes, notices}, folder.Path()};
    std::unique_ptr<Win32LaunchPageView> view;
    std::unique_ptr<LaunchPage> page;
};

TEST_F(LauncherPage, ButtonsAndFieldsFollowAddWalkSelectionEditsAndDelete) {
    HWND listView = Control(ids::kLaunchList);
    const auto extended = SendMessageW(listView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_TRUE(extended & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_FALSE(GetWindowLongPtrW(listView, GWL_STYLE) & LVS_EDITLABELS);
    EXPECT_FALSE(Enabled(ids::kDeleteProgram));
    EXPECT_FALSE(Enabled(ids::kLaunchParameters));
    EXPECT_EQ(WindowText(Control(ids::kWindowMode)), "Нормальный размер");

    dialogs.file = BinFolder() + "orvane.exe";
    Click(ids::kAddProgram);
    dialogs.file = BinFolder() + "launchprobe.exe";
    Click(ids::kAddProgram);
    ASSERT_EQ(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(Cell(listView, 0, 0), "orvane.exe");
    EXPECT_EQ(Cell(listView, 1, 1), BinFolder());
    EXPECT_EQ(Cell(listView, 1, 4), "При загрузке Orvane");
    EXPECT_EQ(Picture(listView, 0), 1);  // orvane.exe has an icon, the probe none
    EXPECT_EQ(Picture(listView, 1), 0);
    EXPECT_EQ(SendMessageW(listView, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK),
              INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(view->SelectedRow(), 1);
    EXPECT_TRUE(Enabled(ids::kDeleteProgram));
    EXPECT_TRUE(Enabled(ids::kStartMoment));

    Click(ids::kNextProgram);
    EXPECT_FALSE(Enabled(ids::kNextProgram));
    SetWindowTextW(Control(ids::kLaunchParameters), L" -x ");
    Report(ids::kLaunchParameters, EN_KILLFOCUS);
    SendMessageW(Control(ids::kWindowMode), CB_SETCURSEL, 1, 0);
    Report(ids::kWindowMode, CBN_SELCHANGE);
    EXPECT_EQ(list.Entries()[1].parameters, " -x ");
    EXPECT_EQ(list.Entries()[1].windowMode, "Свернутое окно");
    EXPECT_EQ(Cell(listView, 1, 3), "Свернутое окно");

    Click(ids::kPreviousProgram);
    EXPECT_EQ(view->SelectedRow(), 0);
    EXPECT_TRUE(Enabled(ids::kNextProgram));
    EXPECT_EQ(WindowText(Control(ids::kLaunchParameters)), "");
    SetRowState(0, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);  // the user unticks it
    EXPECT_FALSE(list.Entries()[0].enabled);
    SetRowState(1, LVIS_SELECTED, LVIS_SELECTED);  // the user selects the other row
    EXPECT_EQ(WindowText(Control(ids::kLaunchParameters)), " -x ");

    Click(ids::kDeleteProgram);
    EXPECT_EQ(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0), 1);
    ASSERT_EQ(list.Entries().size(), 1u);
    EXPECT_EQ(list.Entries()[0].fileName, "orvane.exe");
    EXPECT_FALSE(Enabled(ids::kDeleteProgram));
    EXPECT_FALSE(Enabled(ids::kWindowMode));
    EXPECT_EQ(WindowText(Control(ids::kWindowMode)), "");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LauncherPage, ProgramFilesGiveTheirFirstIconAndOtherFilesTheDefaultPicture) {
    EXPECT_EQ(ImageList_GetImageCount(pictures.List()), 1);
    EXPECT_EQ(pictures.PictureOf(BinFolder() + "orvane.exe"), 1);
    EXPECT_EQ(pictures.PictureOf(BinFolder() + "launchprobe.exe"), 0);
    EXPECT_EQ(pictures.PictureOf(folder.Path() + "missing.exe"), 0);
    EXPECT_EQ(ImageList_GetImageCount(pictures.List()), 2);

    dialogs.file = "C:\\試験\\a.exe";  // no ANSI code page holds these
    Click(ids::kAddProgram);
    EXPECT_TRUE(list.Entries().empty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Ошибка");
}

// The tests run as root, for whom Wine lets a folder's permissions pass: a folder where the
// temporary file cannot be made is played by a directory standing on its name, and a file the
// user made read-only by its attribute.
TEST_F(LauncherPage, ASaveThatCannotWriteIsReportedAndTheOldFileStays) {
    const std::string path = folder.Path() + "apptoload.orl";
    const std::string old = "a.exe\r\n@1\r\n\tC:\\\r\n\t\r\n\tx\r\n\tWith Orvane\r\n";
    testing::WriteFileBytes(path, old);
    list.LoadLaunchList();
    ASSERT_EQ(list.Entries().size(), 1u);
    list.Entries().clear();

    ASSERT_TRUE(CreateDirectoryW(Widen(path + ".saving").c_str(), nullptr));
    list.SaveLaunchList();
    EXPECT_EQ(testing::ReadFileBytes(path), old);
    ASSERT_EQ(boxes.shown.size(), 1u);
    RemoveDirectoryW(Widen(path + ".saving").c_str());

    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
    list.SaveLaunchList();
    EXPECT_EQ(testing::ReadFileBytes(path), old);
    EXPECT_EQ(boxes.shown.size(), 2u);

    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    list.SaveLaunchList();
    EXPECT_EQ(testing::ReadFileBytes(path), "");
    EXPECT_EQ(boxes.shown.size(), 2u);
}

}  // namespace
}  // namespace orv
