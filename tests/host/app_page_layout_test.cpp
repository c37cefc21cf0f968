#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/monitor_settings.h"
#include "app/page_layout.h"

namespace orv {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> PageCaptions() {
    std::vector<std::string> captions;
    for (const PageSpec& page : MainWindowPages()) {
        captions.emplace_back(page.caption);
    }
    return captions;
}

// The eight pages of the page switch (codes 3 to 10) keep their places; the allowance follows.
TEST(PageLayout, EightPagesInTabOrderThenTheAllowance) {
    EXPECT_THAT(PageCaptions(),
                ElementsAre("Информация", "Статистика", "Подробная статистика", "Дозвон", "События",
                            "Настройки", "Запуск приложений", "О программе", "Лимит"));
    EXPECT_EQ(MainWindowPages()[kInformationPage].id, "TabSheet1");
    EXPECT_EQ(MainWindowPages()[kStatisticsPage].id, "TabSheet3");
    EXPECT_EQ(MainWindowPages()[kDetailedStatisticsPage].id, "TabSheet2");
    EXPECT_EQ(MainWindowPages()[kAboutPage].id, "TabSheet7");
}

// The language files address every control of the window by identifier, so one identifier
// may name one control only, pages included.
TEST(PageLayout, IdentifiersAreUniqueOverTheWholeWindow) {
    std::set<std::string_view> seen;
    for (const PageSpec& page : MainWindowPages()) {
        EXPECT_TRUE(seen.insert(page.id).second) << page.id;
        for (const ControlSpec& control : page.controls) {
            EXPECT_FALSE(control.id.empty());
            EXPECT_TRUE(seen.insert(control.id).second) << control.id;
        }
    }
}

TEST(PageLayout, EveryControlLiesInsideItsPage) {
    for (const PageSpec& page : MainWindowPages()) {
        for (const ControlSpec& control : page.controls) {
            const ControlRect& r = control.rect;
            EXPECT_GT(r.width, 0) << control.id;
            EXPECT_GT(r.height, 0) << control.id;
            EXPECT_GE(r.x, 0) << control.id;
            EXPECT_GE(r.y, 0) << control.id;
            EXPECT_LE(r.x + r.width, kPageWidth) << control.id;
            EXPECT_LE(r.y + r.height, kPageHeight) << control.id;
        }
    }
}

TEST(PageLayout, TheGraphAreaHasTheSizeOfMainGraphPicture) {
    const ControlSpec* graph = FindControl(ids::kTrafficGraph);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->rect.width, 370);
    EXPECT_EQ(graph->rect.height, 130);
}

// LoadSettings and SaveSettings find their controls by identifier: each must exist, of a kind
// that holds the value's type.
TEST(PageLayout, EverySettingHasAControlOfItsKind) {
    for (const SettingSpec& setting : MonitorSettings()) {
        const ControlSpec* control = FindControl(setting.control);
        ASSERT_NE(control, nullptr) << setting.name;
        switch (setting.kind) {
            case SettingKind::Flag:
                EXPECT_EQ(control->kind, ControlKind::CheckBox) << setting.name;
                EXPECT_EQ(control->checked, setting.name == "FlowingWindow") << setting.name;
                break;
            case SettingKind::Colour:
                EXPECT_EQ(control->kind, ControlKind::ColourSwatch) << setting.name;
                break;
            case SettingKind::Integer:
                EXPECT_EQ(control->kind, ControlKind::TrackBar) << setting.name;
                break;
            case SettingKind::Text:
                EXPECT_TRUE(control->kind == ControlKind::Edit ||
                            control->kind == ControlKind::ComboBox ||
                            control->kind == ControlKind::PictureList)
                    << setting.name;
                break;
            case SettingKind::Number: {
                // A loaded number is kept inside the range its up/down buttons step in.
                EXPECT_EQ(control->kind, ControlKind::Edit) << setting.name;
                const ControlSpec& upDown = control[1];
                EXPECT_EQ(upDown.kind, ControlKind::UpDown) << setting.name;
                EXPECT_EQ(upDown.low, setting.low) << setting.name;
                EXPECT_EQ(upDown.high, setting.high) << setting.name;
                break;
            }
        }
    }
    EXPECT_EQ(FindControl(ids::kSpeechPlugin)->hint, "Enable/Disable speech control");
}

TEST(PageLayout, UpDownButtonsFollowTheFieldTheyStepAndCarryItsRange) {
    for (const PageSpec& page : MainWindowPages()) {
        for (std::size_t i = 0; i < page.controls.size(); ++i) {
            if (page.controls[i].kind != ControlKind::UpDown) {
                continue;
            }
            ASSERT_GT(i, 0u);
            EXPECT_EQ(page.controls[i - 1].kind, ControlKind::Edit) << page.controls[i].id;
            EXPECT_LT(page.controls[i].low, page.controls[i].high);
        }
    }
    EXPECT_EQ(FindControl(ids::kTimeThresholdUpDown)->low, 10);
    EXPECT_EQ(FindControl(ids::kTimeThresholdUpDown)->high, 1440);
    EXPECT_EQ(FindControl(ids::kTrafficThresholdUpDown)->low, 1);
    EXPECT_EQ(FindControl(ids::kTrafficThresholdUpDown)->high, 10240);
}

TEST(PageLayout, EveryDisplayFieldIsALabelOfPageZeroOrOne) {
    std::set<std::string_view> labels;
    for (int page : {kInformationPage, kStatisticsPage}) {
        for (const ControlSpec& control :
             MainWindowPages()[static_cast<std::size_t>(page)].controls) {
            if (control.kind == ControlKind::Label) {
                labels.insert(control.id);
            }
        }
    }
    std::set<std::string_view> fields;
    for (int field = 0; field <= static_cast<int>(DisplayField::CompressionIn); ++field) {
        const auto id = DisplayFieldControl(static_cast<DisplayField>(field));
        EXPECT_TRUE(labels.contains(id)) << id;
        fields.insert(id);
    }
    EXPECT_EQ(fields.size(), 11u) << "two fields share a label";
}

TEST(PageLayout, TheDetailedStatisticsPageHasItsColumnsChoicesAndHintedButtons) {
    const ControlSpec* list = FindControl(ids::kSessionList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->kind, ControlKind::VirtualList);
    std::vector<int> widths;
    for (const ControlItem& column : list->items) {
        widths.push_back(column.width);
    }
    EXPECT_THAT(widths, ElementsAre(60, 50, 50, 60, 75, 75, 100, 100, 100, 100, 50));
    EXPECT_EQ(list->items[10].text, "Средняя скорость(KBpS)");

    EXPECT_TRUE(FindControl("RadioButton3")->checked);
    EXPECT_FALSE(FindControl("RadioButton4")->checked);
    EXPECT_FALSE(FindControl("RadioButton5")->checked);
    EXPECT_EQ(FindControl(ids::kShowDetail)->hint, "Show Detail");
    EXPECT_EQ(FindControl(ids::kClearStatistics)->hint, "Clear statistics");
    EXPECT_EQ(FindControl(ids::kSaveAsHtml)->hint, "Save as Html");
    EXPECT_EQ(FindControl(ids::kPrintStatistics)->hint, "Print Statistics");
}

TEST(PageLayout, ButtonImagesGoToPictureButtons) {
    for (const ButtonImage& image : ButtonImages()) {
        const ControlSpec* button = FindControl(image.button);
        ASSERT_NE(button, nullptr) << image.button;
        EXPECT_EQ(button->kind, ControlKind::PictureButton) << image.button;
    }
    EXPECT_EQ(ButtonImages().size(), 14u);  // six browse, four statistics, four launcher buttons
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

TEST(PageKeys, CtrlTabAndCtrlPageKeysSwitchPagesRoundTheEnds) {
    EXPECT_EQ(PageAfterKey(0, 8, PageKey::Tab, true, false), 1);
    EXPECT_EQ(PageAfterKey(7, 8, PageKey::Tab, true, false), 0);
    EXPECT_EQ(PageAfterKey(0, 8, PageKey::Tab, true, true), 7);
    EXPECT_EQ(PageAfterKey(3, 8, PageKey::PageDown, true, false), 4);
    EXPECT_EQ(PageAfterKey(0, 8, PageKey::PageUp, true, false), 7);
    EXPECT_EQ(PageAfterKey(3, 8, PageKey::Tab, false, false), std::nullopt)
        << "plain Tab moves focus";
    EXPECT_EQ(PageAfterKey(3, 8, PageKey::Other, true, false), std::nullopt);
}

}  // namespace
}  // namespace orv
