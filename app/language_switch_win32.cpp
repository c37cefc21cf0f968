#include "app/language_switch_win32.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "app/language_files.h"
#include "app/language_windows_win32.h"
#include "app/monitor_settings.h"
#include "app/page_controls_win32.h"
#include "base/win32/resources.h"
#include "base/win32/wide_text.h"

namespace orv {
namespace {

constexpr int kPictureWidth = 16;
constexpr int kPictureHeight = 16;
constexpr COLORREF kClear = RGB(255, 0, 255);

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT area{left, top, right, bottom};
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

// The box's two pictures, drawn once: a white-blue-red flag and a white flag with a red cross.
HIMAGELIST LanguagePictures() {
    static const ImageList list = [] {
        ImageList made(
            ImageList_Create(kPictureWidth, kPictureHeight, ILC_COLOR24 | ILC_MASK, 2, 0));
        const WindowDc screen(nullptr);
        for (int picture = 0; picture < 2; ++picture) {
            GdiObject<HBITMAP> bitmap(
                CreateCompatibleBitmap(screen.Get(), kPictureWidth, kPictureHeight));
            {
                const MemoryDc dc(CreateCompatibleDC(screen.Get()));
                const SelectedObject selected(dc.Get(), bitmap.Get());
                Fill(dc.Get(), 0, 0, kPictureWidth, kPictureHeight, kClear);
                Fill(dc.Get(), 0, 3, 16, 13, RGB(0, 0, 0));
                if (picture == 0) {
                    Fill(dc.Get(), 1, 4, 15, 7, RGB(255, 255, 255));
                    Fill(dc.Get(), 1, 7, 15, 9, RGB(0, 57, 166));
                    Fill(dc.Get(), 1, 9, 15, 12, RGB(213, 43, 30));
                } else {
                    Fill(dc.Get(), 1, 4, 15, 12, RGB(255, 255, 255));
                    Fill(dc.Get(), 7, 4, 9, 12, RGB(206, 17, 36));
                    Fill(dc.Get(), 1, 7, 15, 9, RGB(206, 17, 36));
                }
            }
            ImageList_AddMasked(made.Get(), bitmap.Get(), kClear);
        }
        return made;  // kept for the life of the process, like the main image list
    }();
    return list.Get();
}

int PictureIndex(LanguagePicture picture) {
    switch (picture) {
        case LanguagePicture::Russian:
            return 0;
        case LanguagePicture::English:
            return 1;
        case LanguagePicture::None:
            break;
    }
    return I_IMAGENONE;
}

// The names in Languages\ that match *.lang, of any attribute, in the platform's order.
std::vector<std::string> LanguageFileNames(const std::string& programFolder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = Widen(programFolder + "Languages\\*.lang");
    const FindSearch search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(Narrow(name));
        }
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

void FillBox(HWND box, const LanguageList& list) {
    SendMessageW(box, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(LanguagePictures()));
    for (const LanguageEntry& entry : list.entries) {
        std::wstring text = Widen(entry.code);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = text.data();
        item.iImage = PictureIndex(entry.picture);
        item.iSelectedImage = item.iImage;
        SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    FitDropDownToItems(box);
}

}  // namespace

LanguageSwitch::LanguageSwitch(LanguageCode& language, std::string programFolder,
                               LanguageWindows windows)
    : language_(language), programFolder_(std::move(programFolder)), windows_(std::move(windows)) {}

HWND LanguageSwitch::Box() const {
    return windows_.main->Control(ids::kLanguage);
}

void LanguageSwitch::Register(ControlReactions& controls) {
    controls.OnCommand(ids::kLanguage, [this](int notifyCode) {
        if (notifyCode == CBN_SELCHANGE) {
            Chosen();
        }
    });
}

void LanguageSwitch::BuildLanguageListAndApply(const SettingsStore& store) {
    HWND box = Box();
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    EnableWindow(box, FALSE);
    const std::vector<std::string> names = LanguageFileNames(programFolder_);
    const SettingSpec& setting = FindSetting("Language");
    const std::string stored = store.Read(setting.name).value_or(std::string(setting.defaultText));
    const LanguageList list = BuildLanguageList(names, stored);
    FillBox(box, list);
    EnableWindow(box, TRUE);
    if (!list.selected) {
        // Kept unshown for the save (Win32SettingsControls reads it back); nothing applies.
        const std::wstring kept = Widen(stored);
        DefWindowProcW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kept.c_str()));
        language_.Set(stored);
        return;
    }
    SendMessageW(box, CB_SETCURSEL, *list.selected, 0);
    language_.Set(list.entries[*list.selected].code);
    ApplyLanguageFile(LanguageFilePath(programFolder_, language_.Text()));
}

void LanguageSwitch::Chosen() {
    HWND box = Box();
    const LRESULT chosen = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (chosen < 0) {
        return;
    }
    language_.Set(PictureListEntryText(box, chosen));
    if (language_.Text().empty()) {
        return;
    }
    if (applying_) {
        choiceWaiting_ = true;  // applied when the walk under way ends
        return;
    }
    ApplyLanguageFile(LanguageFilePath(programFolder_, language_.Text()));
}

void LanguageSwitch::ApplyLanguageFile(const std::string& path) {
    applying_ = true;
    std::vector<std::unique_ptr<ListedWindow>> listed;
    listed.push_back(FloatingWindowTexts(windows_.floating(), windows_.floatingMenu()));
    listed.push_back(MainWindowTexts(*windows_.main));
    if (HWND month = windows_.monthChart ? windows_.monthChart() : nullptr) {
        listed.push_back(MonthWindowTexts(month));
    }
    std::vector<TranslatableWindow*> windows;
    for (const auto& window : listed) {
        windows.push_back(window.get());
    }
    ProfileLanguageFile file(path);
    const TranslationResult result = orv::ApplyLanguageFile(file, windows, LetMessagesThrough);
    applying_ = false;
    if (!result.completed) {
        return;
    }
    if (!result.captionsWritten && refusalsShown_.insert(path).second) {
        windows_.main->SetStatusText(UnableToWriteText(path));
    }
    if (windows_.applied) {
        windows_.applied();
    }
    if (choiceWaiting_) {
        choiceWaiting_ = false;
        ApplyLanguageFile(LanguageFilePath(programFolder_, language_.Text()));
    }
}

}  // namespace orv
