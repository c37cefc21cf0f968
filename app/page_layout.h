#pragma once
// The main window's pages as data: for each page its identifier and caption, and its controls
// in design order with identifier, kind, caption and rectangle. The window is built from these
// tables, and the language files address and walk the same controls by identifier.

#include <optional>
#include <span>
#include <string_view>

#include "monitor/monitor_ports.h"

namespace orv {

enum class ControlKind {
    Label,
    GroupBox,
    CheckBox,
    RadioButton,
    Edit,
    UpDown,       // attached to the edit field just before it
    ComboBox,     // editable list
    ListView,     // report view
    VirtualList,  // report view whose rows the program supplies on demand
    TrackBar,
    ColourSwatch,
    PictureButton,  // small flat button showing an image of the main image list
    GraphArea,      // copies an off-screen picture
    Icon,           // the application's icon
    LinkLabel,      // opens its caption's address through the shell
    PictureList,    // editable list whose entries show a small picture; the caption is its entry
};

struct ControlRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A list item, or a list-view column with its width.
struct ControlItem {
    std::string_view text;
    int width = 0;
};

struct ControlSpec {
    std::string_view id;
    ControlKind kind;
    std::string_view caption;
    ControlRect rect;
    std::span<const ControlItem> items = {};
    std::string_view hint = {};
    bool checked = false;  // switches and choices on at creation
    int low = 0;           // range of up/down buttons and sliders
    int high = 0;
};

struct PageSpec {
    std::string_view id;
    std::string_view caption;
    std::span<const ControlSpec> controls;
};

// The page area every rectangle lies in.
inline constexpr int kPageWidth = 400;
inline constexpr int kPageHeight = 350;

inline constexpr int kInformationPage = 0;
inline constexpr int kStatisticsPage = 1;
inline constexpr int kDetailedStatisticsPage = 2;
inline constexpr int kDialPage = 3;
inline constexpr int kEventsPage = 4;
inline constexpr int kSettingsPage = 5;
inline constexpr int kLaunchPage = 6;
inline constexpr int kAboutPage = 7;

// The eight pages in tab order.
std::span<const PageSpec> MainWindowPages();
// The control of any page with this identifier.
const ControlSpec* FindControl(std::string_view id);

// The label that shows a field the monitor tick writes.
std::string_view DisplayFieldControl(DisplayField field);

// Images of the main image list given to picture buttons while the window is created.
struct ButtonImage {
    std::string_view button;
    int image;
};
std::span<const ButtonImage> ButtonImages();

// Controls of the detailed statistics page and the about page that the program drives.
namespace ids {
inline constexpr std::string_view kTotalOnlineTime = "Label47";
inline constexpr std::string_view kTotalReceived = "Label48";
inline constexpr std::string_view kTotalSent = "Label41";
inline constexpr std::string_view kSessionList = "ListView1";
inline constexpr std::string_view kTimeChart = "RadioButton3";
inline constexpr std::string_view kReceivedChart = "RadioButton4";
inline constexpr std::string_view kSentChart = "RadioButton5";
inline constexpr std::string_view kShowDetail = "SpeedButton6";
inline constexpr std::string_view kClearStatistics = "SpeedButton7";
inline constexpr std::string_view kSaveAsHtml = "SpeedButton8";
inline constexpr std::string_view kPrintStatistics = "SpeedButton9";
inline constexpr std::string_view kTrafficGraph = "PaintBox1";
inline constexpr std::string_view kAboutIcon = "Image1";
inline constexpr std::string_view kWebLink = "Label28";
}  // namespace ids

}  // namespace orv
