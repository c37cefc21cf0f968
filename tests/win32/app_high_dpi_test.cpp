// The main window and the month window at the DPI of the prefix they run in: 96 in the test
// prefix, 144 and 192 in the prefixes of `scripts/screenshots.sh --dpi` (which sets
// ORVANE_EXPECT_DPI, so that a prefix that did not take its DPI fails instead of passing at 96).
// On every page, controls apart in the design stay apart, and each caption fits its control with
// the control's own font, in the designed Russian and in the shipped English.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/language_windows_win32.h"
#include "app/main_window_win32.h"
#include "base/dpi_scale.h"
#include "base/win32/dpi.h"
#include "base/win32/resources.h"
#include "base/win32/wide_text.h"
#include "stats/month_chart_window_win32.h"
#include "stats_test_folder.h"
#include "tests/common/dialog_fakes.h"

namespace orv {
namespace {

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The text's size in the control's own font; for a wrapping label, the height of its lines at
// the control's width.
SIZE TextSize(HWND control, const std::wstring& text, bool wraps) {
    const WindowDc dc(control);
    const SelectedObject font(dc.Get(),
                              reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    if (wraps) {
        RECT area;
        GetClientRect(control, &area);
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &area,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return {area.right, area.bottom};
    }
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// The width of the icon a picture button shows; 0 without one.
int IconWidth(HWND button) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Room a control's own drawing takes beside its text, in design pixels: the box of a check box
// or radio button with its gap, a button's edges, a group box's indent on both sides.
int Decoration(ControlKind kind) {
    switch (kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            return 17;
        case ControlKind::Button:
            return 8;
        case ControlKind::GroupBox:
            return 16;
        default:
            return 0;
    }
}

bool HasCaption(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::LinkLabel ||
           kind == ControlKind::CheckBox || kind == ControlKind::RadioButton ||
           kind == ControlKind::Button || kind == ControlKind::GroupBox;
}

// Where the control shows on its page; a picture list's is its field, not its open list.
RECT ShownRect(HWND control, HWND page) {
    HWND field = reinterpret_cast<HWND>(SendMessageW(control, CBEM_GETCOMBOCONTROL, 0, 0));
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    RECT rect;
    GetWindowRect(std::wstring(name) == WC_COMBOBOXEXW && field ? field : control, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool DesignOverlap(const ControlSpec& a, const ControlSpec& b) {
    return a.rect.x < b.rect.x + b.rect.width && b.rect.x < a.rect.x + a.rect.width &&
           a.rect.y < b.rect.y + b.rect.height && b.rect.y < a.rect.y + a.rect.height;
}

class HighDpi : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr), MainWindowEvents{}));
        main.AssignButtonImages();
        dpi = WindowDpi(main.Handle());
        if (const char* expected = std::getenv("ORVANE_EXPECT_DPI")) {
            ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's LogPixels did not take";
        }
    }

    void ApplyShippedEnglish() {
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::string shipped = Narrow(program);
        shipped.resize(shipped.find_last_of('\\') + 1);
        // The walk writes the window's captions into the file: a copy of the shipped one.
        const std::string copy = folder.Path() + "Eng.lang";
        testing::WriteFileBytes(copy, testing::ReadFileBytes(shipped + "Languages\\Eng.lang"));
        ProfileLanguageFile file(copy);
        const std::unique_ptr<ListedWindow> texts = MainWindowTexts(main);
        TranslatableWindow* windows[] = {texts.get()};
        ApplyLanguageFile(file, windows, [] { return true; });
        ASSERT_EQ(Narrow(TextOf(main.Control("Label17"))), "Name");
    }

    void ExpectEveryPageLaidOut() {
        const auto pages = MainWindowPages();
        for (std::size_t index = 0; index < pages.size(); ++index) {
            HWND page = main.Page(static_cast<int>(index));
            RECT area;
            GetClientRect(page, &area);
            for (const ControlSpec& control : pages[index].controls) {
                SCOPED_TRACE(std::string(control.id) + " at " + std::to_string(dpi) + " DPI");
                const RECT shown = ShownRect(main.Control(control.id), page);
                EXPECT_LE(shown.right, area.right);
                EXPECT_LE(shown.bottom, area.bottom);
                ExpectApartFromTheOthers(pages[index], control, shown, page);
                if (HasCaption(control.kind)) {
                    ExpectCaptionFits(
                        main.Control(control.id), control.kind,
                        control.rect.height > 16 && control.kind == ControlKind::Label);
                }
            }
        }
    }

    void ExpectApartFromTheOthers(const PageSpec& page, const ControlSpec& control,
                                  const RECT& shown, HWND pageWindow) {
        for (const ControlSpec& other : page.controls) {
            if (&other != &control && !DesignOverlap(control, other)) {
                EXPECT_FALSE(Overlap(shown, ShownRect(main.Control(other.id), pageWindow)))
                    << "overlaps " << other.id;
            }
        }
    }

    void ExpectCaptionFits(HWND control, ControlKind kind, bool wraps) {
        const std::wstring text = TextOf(control);
        RECT client;
        GetClientRect(control, &client);
        const SIZE size = TextSize(control, text, wraps);
        EXPECT_LE(size.cx + ScaleToDpi(Decoration(kind), dpi), client.right)
            << Narrow(text) << ": " << size.cx << " wide";
        EXPECT_LE(size.cy, client.bottom) << Narrow(text) << ": " << size.cy << " high";
    }

    testing::TempProgramFolder folder{false};
    MainWindow main;
    int dpi = kDesignDpi;
};

TEST_F(HighDpi, DesignedPagesKeepControlsApartAndCaptionsInside) {
    for (const ButtonImage& image : ButtonImages()) {
        EXPECT_EQ(IconWidth(main.Control(image.button)), ScaleToDpi(16, dpi)) << image.button;
    }
    RECT client;
    GetClientRect(main.Handle(), &client);
    EXPECT_EQ(client.right, ScaleToDpi(kMainClientWidth, dpi));
    EXPECT_EQ(client.bottom, ScaleToDpi(kMainClientHeight, dpi));
    EXPECT_EQ(SendMessageW(main.Control(ids::kSessionList), LVM_GETCOLUMNWIDTH, 1, 0),
              ScaleToDpi(FindControl(ids::kSessionList)->items[1].width, dpi));
    ExpectEveryPageLaidOut();
}

TEST_F(HighDpi, EnglishPagesKeepControlsApartAndCaptionsInside) {
    ApplyShippedEnglish();
    ExpectEveryPageLaidOut();
}

// Wine sends no WM_DPICHANGED itself: the test sends it as Windows would, for a monitor of
// twice the DPI (or the design's, when the prefix is already above it).
TEST_F(HighDpi, ADpiChangeLaysTheWindowOutAgainForTheNewDpi) {
    const int target = dpi == kDesignDpi ? 2 * kDesignDpi : kDesignDpi;
    HWND list = main.Control(ids::kSessionList);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, ScaleToDpi(100, dpi));
    // The system suggests the window's size scaled; the frame's own size may differ.
    RECT outer;
    GetWindowRect(main.Handle(), &outer);
    const SIZE size{MulDiv(outer.right - outer.left, target, dpi),
                    MulDiv(outer.bottom - outer.top, target, dpi)};
    RECT suggested{10, 20, 10 + size.cx, 20 + size.cy};
    SendMessageW(main.Handle(), kDpiChangedMessage, MAKEWPARAM(target, target),
                 reinterpret_cast<LPARAM>(&suggested));
    dpi = target;
    RECT client;
    GetClientRect(main.Handle(), &client);
    EXPECT_EQ(client.right, ScaleToDpi(kMainClientWidth, dpi));
    EXPECT_EQ(client.bottom, ScaleToDpi(kMainClientHeight, dpi));
    // The picture buttons' icons are made again for the new DPI.
    for (const ButtonImage& image : ButtonImages()) {
        EXPECT_EQ(IconWidth(main.Control(image.button)), ScaleToDpi(16, dpi)) << image.button;
    }
    // A column the user widened keeps its width, scaled; the others take the design's.
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), ScaleToDpi(100, dpi));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0),
              ScaleToDpi(FindControl(ids::kSessionList)->items[1].width, dpi));
    ExpectEveryPageLaidOut();
}

TEST_F(HighDpi, MonthWindowRowsFitInBothLanguages) {
    LanguageCode language;
    RegionalFormats formats;
    MonthChartWindow month{language, formats};
    SessionList list;
    month.Show(list, MonthChartKind::Time);
    ASSERT_NE(month.Handle(), nullptr);
    RECT client;
    GetClientRect(month.Handle(), &client);
    EXPECT_EQ(client.right, ScaleToDpi(kMonthClientWidth, dpi));
    for (const char* code : {"Eng", "Rus"}) {
        language.Set(code);
        month.LanguageChanged();
        std::vector<RECT> rows;
        for (HWND label = GetWindow(month.Handle(), GW_CHILD); label;
             label = GetWindow(label, GW_HWNDNEXT)) {
            ExpectCaptionFits(label, ControlKind::Label, false);
            RECT rect;
            GetWindowRect(label, &rect);
            for (const RECT& other : rows) {
                EXPECT_FALSE(Overlap(rect, other)) << Narrow(TextOf(label)) << " in " << code;
            }
            rows.push_back(rect);
        }
        EXPECT_EQ(rows.size(), 24u);
    }
}

}  // namespace
}  // namespace orv
