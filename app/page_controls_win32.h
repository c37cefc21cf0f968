#pragma once
// Creates the controls of the main window's pages from their layout tables and finds them
// again by identifier or by the command id their notifications carry.

#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/page_layout.h"
#include "base/win32/resources.h"

namespace orv {

// Command ids follow the layout tables: the controls of all pages in tab order, counted from
// here. Whole-program tests find a control of the running program by this id.
inline constexpr int kFirstCommandId = 1000;

// The command id (dialog item id) the control with this identifier gets; 0 when none has it.
int CommandIdOf(std::string_view id);
// The control with this identifier among the main window's children, in this process or
// another; null when there is none.
HWND FindPageControl(HWND mainWindow, std::string_view id);

class PageControls {
  public:
    // Makes every control of `layout` a child of `page`, in design order, its rectangle scaled
    // from the design to `dpi`, with the given font (made for that DPI).
    void CreatePage(HWND page, const PageSpec& layout, HFONT font, int dpi);
    // Moves and sizes every control for a new DPI and gives it the font made for that DPI; list
    // columns keep the widths the user gave them, scaled.
    void Rescale(int dpi, HFONT font);

    // Null when no control has this identifier.
    HWND Find(std::string_view id) const;
    // The identifier of the control that sent a WM_COMMAND or WM_NOTIFY; empty when unknown.
    std::string_view IdOf(UINT_PTR commandId) const;

  private:
    struct Created {
        const ControlSpec* layout;
        HWND window;
    };
    HWND CreateControl(HWND page, const ControlSpec& layout, int commandId, int dpi);

    std::vector<Created> controls_;  // command id = index + kFirstCommandId
    std::unordered_map<std::string_view, std::size_t> byId_;
    HWND tooltips_ = nullptr;
    int dpi_ = kDesignDpi;
};

// A list with pictures drops no taller than its items: its window's height is set from them.
void FitDropDownToItems(HWND list);
// The text of a list with pictures' entry at `index`; -1 reads none.
std::string PictureListEntryText(HWND list, LRESULT index);

// A picture of the main image list as a new icon, 16 design pixels at this DPI. A button or
// static control given it does not destroy it: the owner must outlive the control's use of it.
IconHandle MainImageListIcon(MainImage image, int dpi = kDesignDpi);

}  // namespace orv
