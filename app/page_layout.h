#pragma once
// The main window's pages as data: for each page its identifier and caption, and its controls
// in design order with identifier, kind, caption and rectangle. The window is built from these
// tables, and the language files address and walk the same controls by identifier.

#include <optional>
#include <span>
#include <string_view>

#include "base/dpi_scale.h"
#include "monitor/monitor_ports.h"

namespace orv {

enum class ControlKind {
    Label,
    GroupBox,
    CheckBox,
    RadioButton,
    Edit,
    Password,     // an edit field that shows '*' for each character
    UpDown,       // attached to the edit field just before it
    ComboBox,     // editable list
    ListView,     // report view
    VirtualList,  // report view whose rows the program supplies on demand
    CheckList,    // report view with a check box and a small picture per row, whole-row selection
    TrackBar,
    ColourSwatch,
    PictureButton,  // small flat button showing an image of the main image list
    Button,         // push button with a caption
    GraphArea,      // copies an off-screen picture
    Icon,           // the application's icon
    LinkLabel,      // opens its caption's address through the shell
    PictureList,    // editable list whose entries show a small picture; the caption is its entry
};

// In 96-DPI design pixels; the window scales it to its own DPI.
using ControlRect = PixelRect;

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
    bool disabled = false;  // disabled at creation
    int step = 0;           // of up/down buttons; 0 for the design's 10
    // A control that takes input but has no reaction of its own: the program reads it when
    // another control acts or when the settings are saved (the chart choice, most switches).
    bool passive = false;
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
inline constexpr int kAllowancePage = 8;

// The nine pages in tab order: the eight of the design, then the monthly allowance.
std::span<const PageSpec> MainWindowPages();

// The keys that switch pages, as in every tabbed Windows dialog: Ctrl+Tab and Ctrl+PageDown
// go to the next page, Ctrl+Shift+Tab and Ctrl+PageUp to the one before, round the end; the
// page to show, or nothing when the key is no page switch.
enum class PageKey { Tab, PageDown, PageUp, Other };
std::optional<int> PageAfterKey(int current, int count, PageKey key, bool ctrl, bool shift);
// The control of any page with this identifier.
const ControlSpec* FindControl(std::string_view id);

// The label that shows a field the monitor tick writes.
std::string_view DisplayFieldControl(DisplayField field);

// The pictures of the main image list, numbered as the design's list numbers them.
enum class MainImage { Open = 9, Save = 10, Print = 11, Detail = 12, Delete = 13, New = 14,
                       Back = 15, Forward = 16 };

// Images of the main image list given to picture buttons while the window is created.
struct ButtonImage {
    std::string_view button;
    MainImage image;
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

// The dial page and the device list of page 0.
inline constexpr std::string_view kEntryList = "ComboBox1";
inline constexpr std::string_view kUseExisting = "CheckBox1";
inline constexpr std::string_view kPhoneNumber = "Edit8";
inline constexpr std::string_view kCallbackNumber = "Edit9";
inline constexpr std::string_view kUserName = "Edit10";
inline constexpr std::string_view kPassword = "Edit11";
inline constexpr std::string_view kToneDialing = "RadioButton1";
inline constexpr std::string_view kPulseDialing = "RadioButton2";
inline constexpr std::string_view kDial = "BitBtn1";
inline constexpr std::string_view kHangUp = "BitBtn2";
inline constexpr std::string_view kNewEntry = "BitBtn5";
inline constexpr std::string_view kEditEntry = "BitBtn3";
inline constexpr std::string_view kDeleteEntry = "BitBtn4";
inline constexpr std::string_view kDeviceList = "ListView3";
}  // namespace ids

// Controls of the launcher page. Its four buttons' handlers are SpeedButton4Click to
// SpeedButton7Click, identifiers of other pages' buttons: the page's reaction table pairs them.
namespace ids {
inline constexpr std::string_view kLaunchList = "ListView2";
inline constexpr std::string_view kAddProgram = "SpeedButton10";
inline constexpr std::string_view kDeleteProgram = "SpeedButton11";
inline constexpr std::string_view kPreviousProgram = "SpeedButton12";
inline constexpr std::string_view kNextProgram = "SpeedButton13";
inline constexpr std::string_view kLaunchParameters = "Edit14";
inline constexpr std::string_view kWindowMode = "ComboBox4";
inline constexpr std::string_view kStartMoment = "ComboBox5";
}  // namespace ids

}  // namespace orv
