#pragma once
// Texts of a tab control's tabs and a list view's column headers, read in-process.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/win32/wide_text.h"

namespace orv::testing {

inline std::string TabCaption(HWND tabs, int index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

inline std::string ColumnCaption(HWND list, int index) {
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 64;
    SendMessageW(list, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    return Narrow(text);
}

}  // namespace orv::testing
