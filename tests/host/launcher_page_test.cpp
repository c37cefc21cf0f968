#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "launcher/launch_page.h"
#include "tests/common/launcher_fakes.h"

namespace orv {
namespace {

using ::testing::ElementsAre;
using testing::LaunchRig;

// The page's controls as plain state, starting as the layout creates them.
class FakeLaunchView : public LaunchPageView {
  public:
    void AppendRow(const LaunchEntry& entry) override { rows.push_back(entry); }
    void ShowRow(int index, const LaunchEntry& entry) override { rows.at(index) = entry; }
    void RemoveRow(int index) override { rows.erase(rows.begin() + index); }
    void SelectRow(int index) override { selected = index; }
    int SelectedRow() const override { return selected; }
    void EnableButton(LaunchButton button, bool on) override { buttons[button] = on; }
    void EnableFields(bool on) override { fieldsEnabled = on; }
    std::string FieldText(LaunchField field) const override { return fields.at(field); }
    void SetFieldText(LaunchField field, std::string_view text) override {
        fields[field] = std::string(text);
    }
    std::string Item(LaunchField field, int index) const override {
        const auto& list = field == LaunchField::WindowMode ? windowModes : startMoments;
        return index < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(index)] : "";
    }

    std::vector<std::string> windowModes{"Нормальный размер", "Свернутое окно", "Развернутое окно",
                                         "Нормальное не активированное",
                                         "Свернутое не активированное"};
    std::vector<std::string> startMoments{"При загрузке Orvane", "После дозвона"};

    std::vector<LaunchEntry> rows;
    int selected = -1;
    std::map<LaunchButton, bool> buttons{{LaunchButton::Add, true},
                                         {LaunchButton::Delete, false},
                                         {LaunchButton::Previous, true},
                                         {LaunchButton::Next, true}};
    bool fieldsEnabled = false;
    std::map<LaunchField, std::string> fields{{LaunchField::Parameters, ""},
                                              {LaunchField::WindowMode, "Нормальный размер"},
                                              {LaunchField::StartMoment, ""}};
};

struct PageRig : LaunchRig {
    FakeLaunchView view;
    testing::ScriptedDialogs dialogs;
    LaunchPage page{list, view, dialogs};

    void Add(std::string path) {
        dialogs.file = std::move(path);
        page.SpeedButton4Click();
    }
    std::vector<std::string> Fields() {
        return {view.fields[LaunchField::Parameters], view.fields[LaunchField::WindowMode],
                view.fields[LaunchField::StartMoment]};
    }
};

TEST(LaunchPage, AddAppendsAnEnabledEntrySelectedWithTheFirstItems) {
    PageRig rig;
    rig.page.SpeedButton4Click();  // cancelled
    EXPECT_TRUE(rig.list.Entries().empty());
    EXPECT_THAT(rig.dialogs.filters, ElementsAre("Executable Files|*.exe;*.com|All Files|*"));

    rig.pictures.withIcon = {"C:\\Apps\\mail.exe"};
    rig.Add("C:\\Apps\\mail.exe");
    ASSERT_EQ(rig.list.Entries().size(), 1u);
    const LaunchEntry& entry = rig.list.Entries()[0];
    EXPECT_EQ(entry.fileName, "mail.exe");
    EXPECT_EQ(entry.folder, "C:\\Apps\\");
    EXPECT_TRUE(entry.enabled);
    EXPECT_EQ(entry.picture, 1);
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.selected, 0);
    EXPECT_TRUE(rig.view.fieldsEnabled);
    EXPECT_TRUE(rig.view.buttons[LaunchButton::Delete]);
    EXPECT_THAT(rig.Fields(), ElementsAre("", "Нормальный размер", "При загрузке Orvane"));

    rig.Add("C:\\Apps\\ÿ\\mail.exe");  // a letter the file's code page lacks
    EXPECT_EQ(rig.list.Entries().size(), 1u);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].title, "Ошибка");
    EXPECT_THAT(rig.boxes.shown[0].text, ::testing::HasSubstr("кодовой странице"));
}

TEST(LaunchPage, PreviousAndNextWalkTheListAndStopAtItsEnds) {
    PageRig rig;
    rig.page.SpeedButton7Click();  // empty list
    EXPECT_FALSE(rig.view.buttons[LaunchButton::Next]);

    rig.list.Entries().resize(2);
    rig.list.Entries()[0].parameters = "-a";
    rig.page.ShowList();
    EXPECT_EQ(rig.view.rows.size(), 2u);
    EXPECT_FALSE(rig.view.fieldsEnabled);
    EXPECT_EQ(rig.view.fields[LaunchField::WindowMode], "Нормальный размер");
    rig.page.SpeedButton6Click();  // nothing selected
    EXPECT_FALSE(rig.view.buttons[LaunchButton::Previous]);
    rig.page.SpeedButton7Click();
    EXPECT_EQ(rig.view.selected, 0);
    EXPECT_TRUE(rig.view.buttons[LaunchButton::Previous]);
    EXPECT_TRUE(rig.view.fieldsEnabled);
    EXPECT_EQ(rig.view.fields[LaunchField::Parameters], "-a");
    rig.page.SpeedButton7Click();
    EXPECT_EQ(rig.view.selected, 1);
    rig.page.SpeedButton7Click();
    EXPECT_EQ(rig.view.selected, 1);
    EXPECT_FALSE(rig.view.buttons[LaunchButton::Next]);
    rig.page.SpeedButton6Click();
    EXPECT_EQ(rig.view.selected, 0);
    EXPECT_TRUE(rig.view.buttons[LaunchButton::Next]);
    EXPECT_EQ(rig.view.fields[LaunchField::Parameters], "-a");
}

TEST(LaunchPage, EditsLandOnTheShownEntryAndDeleteClearsTheFields) {
    PageRig rig;
    rig.Add("C:\\a.exe");
    rig.Add("C:\\b.exe");
    rig.view.fields[LaunchField::WindowMode] = "Свернутое окно";
    rig.page.ComboBox4Change();
    rig.view.fields[LaunchField::StartMoment] = "после";
    rig.page.ComboBox5Change();
    rig.view.fields[LaunchField::Parameters] = " -p ";
    // The selection moves before the field reports that it was left.
    rig.view.selected = 0;
    rig.page.ListView2SelectItem();
    rig.page.Edit14Exit();
    const LaunchEntry& b = rig.list.Entries()[1];
    EXPECT_EQ(b.parameters, " -p ");
    EXPECT_EQ(b.windowMode, "Свернутое окно");
    EXPECT_EQ(b.startMoment, "после");
    EXPECT_EQ(rig.view.rows[1].parameters, " -p ");
    EXPECT_EQ(rig.list.Entries()[0].parameters, "");
    EXPECT_THAT(rig.Fields(), ElementsAre("", "Нормальный размер", "При загрузке Orvane"));

    rig.page.CheckChanged(0, false);
    EXPECT_FALSE(rig.list.Entries()[0].enabled);

    rig.page.SpeedButton5Click();
    ASSERT_EQ(rig.list.Entries().size(), 1u);
    EXPECT_EQ(rig.list.Entries()[0].fileName, "b.exe");
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_FALSE(rig.view.fieldsEnabled);
    EXPECT_FALSE(rig.view.buttons[LaunchButton::Delete]);
    EXPECT_THAT(rig.Fields(), ElementsAre("", "", ""));
    rig.view.fields[LaunchField::Parameters] = "stray";
    rig.page.Edit14Exit();
    EXPECT_EQ(rig.list.Entries()[0].parameters, " -p ");
}

TEST(LaunchPage, AnEnglishBoxShowsStoredRussianTextsInEnglishAndStoresThemUnchanged) {
    PageRig rig;
    rig.Add("C:\\a.exe");  // stored with the Russian items
    rig.view.windowModes = {"Normal size", "Minimized window", "Maximized window",
                            "Normal not active", "Minimized not active"};
    rig.view.startMoments = {"With Orvane", "After dial complete"};
    rig.page.ShowLaunchEntry(0);
    EXPECT_THAT(rig.Fields(), ElementsAre("", "Normal size", "With Orvane"));
    // The box reports the shown text as a change: the stored texts stay as they were.
    rig.page.ComboBox4Change();
    rig.page.ComboBox5Change();
    EXPECT_EQ(rig.list.Entries()[0].windowMode, "Нормальный размер");
    EXPECT_EQ(rig.list.Entries()[0].startMoment, "При загрузке Orvane");
    // A real choice or a typed text is stored as shown.
    rig.view.fields[LaunchField::WindowMode] = "Maximized window";
    rig.page.ComboBox4Change();
    EXPECT_EQ(rig.list.Entries()[0].windowMode, "Maximized window");
    rig.view.fields[LaunchField::WindowMode] = "whatever";
    rig.page.ComboBox4Change();
    EXPECT_EQ(rig.list.Entries()[0].windowMode, "whatever");
}

// Each edit reaches the file at once, so a crash loses none; a refused save is told once.
TEST(LaunchPage, EveryEditIsSavedAtOnceAndARefusalIsToldOnce) {
    PageRig rig;
    rig.file.files[testing::kListPath] = "";
    rig.list.LoadLaunchList();
    rig.Add("C:\\Tools\\a.exe");
    EXPECT_EQ(rig.file.files[testing::kListPath], FormatLaunchList(rig.list.Entries()));
    rig.view.fields[LaunchField::Parameters] = "-q";
    rig.page.Edit14Exit();
    EXPECT_NE(rig.file.files[testing::kListPath].find("-q"), std::string::npos);

    rig.file.readOnly = true;
    rig.page.CheckChanged(0, false);
    rig.page.ListView2SelectItem();
    rig.view.fields[LaunchField::Parameters] = "-r";
    rig.page.Edit14Exit();
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
    rig.file.readOnly = false;
    rig.page.Edit14Exit();
    EXPECT_EQ(rig.file.files[testing::kListPath], FormatLaunchList(rig.list.Entries()));
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace orv
