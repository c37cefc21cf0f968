#include "stats/print_job_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "base/win32/modal_turn.h"
#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"

namespace orv {

namespace {

// The system's reason for the failure just seen; some drivers fail without setting one.
Outcome PrinterFailure(std::string_view fallback) {
    const DWORD code = GetLastError();
    return Outcome::Failed(code != 0 ? SystemErrorText(code) : std::string(fallback));
}

constexpr std::array<int, 3> kFontPoints{14, 8, 8};  // Title, Heading, Body
constexpr int kMarginTenthsOfMm = 150;

GdiObject<HFONT> CreatePrintFont(HDC dc, PrintFont font) {
    LOGFONTW shape{};
    shape.lfHeight =
        -MulDiv(kFontPoints[static_cast<std::size_t>(font)], GetDeviceCaps(dc, LOGPIXELSY), 72);
    shape.lfWeight = font == PrintFont::Body ? FW_NORMAL : FW_BOLD;
    shape.lfCharSet = DEFAULT_CHARSET;
    shape.lfOutPrecision = OUT_TT_PRECIS;
    shape.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(shape.lfFaceName, L"Arial", LF_FACESIZE);
    return GdiObject<HFONT>(CreateFontIndirectW(&shape));
}

// The margin on one side: 15 mm from the paper's edge, of which the printer's own unprintable
// edge already takes its part.
int Margin(int dotsPerInch, int unprintable) {
    return std::max(0, MulDiv(dotsPerInch, kMarginTenthsOfMm, 254) - std::max(0, unprintable));
}

std::string DialogError(DWORD code) {
    switch (code) {
        case 0:
        case PDERR_NODEFAULTPRN:
        case PDERR_NODEVICES:
            return "No printer is installed.";
        case PDERR_PRINTERNOTFOUND:
            return "The chosen printer cannot be found.";
        default: {
            char text[64];
            wsprintfA(text, "The print dialog failed (error 0x%04lX).", code);
            return text;
        }
    }
}

void OfferLandscape(HGLOBAL devMode) {
    if (auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode))) {
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        GlobalUnlock(devMode);
    }
}

}  // namespace

// ---- The printer's spooler

Outcome PrinterPages::StartDocument(const std::wstring& name) {
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    SetLastError(0);
    if (StartDocW(dc_.Get(), &document) <= 0) {
        return PrinterFailure("The printer does not accept the document.");
    }
    return Outcome::Ok();
}

Outcome PrinterPages::StartPage() {
    SetLastError(0);
    return ::StartPage(dc_.Get()) > 0 ? Outcome::Ok()
                                      : PrinterFailure("The printer cannot start a page.");
}

Outcome PrinterPages::EndPage() {
    SetLastError(0);
    return ::EndPage(dc_.Get()) > 0 ? Outcome::Ok()
                                    : PrinterFailure("The printer cannot finish a page.");
}

Outcome PrinterPages::EndDocument() {
    SetLastError(0);
    return EndDoc(dc_.Get()) > 0 ? Outcome::Ok()
                                 : PrinterFailure("The printer cannot finish the document.");
}

void PrinterPages::AbortDocument() {
    AbortDoc(dc_.Get());
}

// ---- Measuring and drawing

GdiPrintTarget::GdiPrintTarget(std::unique_ptr<PageDevice> device) : device_(std::move(device)) {
    const HDC dc = device_->InformationDc();
    for (const PrintFont font : {PrintFont::Title, PrintFont::Heading, PrintFont::Body}) {
        const auto index = static_cast<std::size_t>(font);
        fonts_[index] = CreatePrintFont(dc, font);
        const SelectedObject selected(dc, fonts_[index].Get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        lineHeights_[index] = metrics.tmHeight + metrics.tmExternalLeading;
    }
}

int GdiPrintTarget::LineHeight(PrintFont font) const {
    return lineHeights_[static_cast<std::size_t>(font)];
}

int GdiPrintTarget::TextWidth(PrintFont font, std::string_view text) const {
    const std::wstring wide = Widen(text);
    const HDC dc = device_->InformationDc();
    const SelectedObject selected(dc, Font(font));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

Rect GdiPrintTarget::PrintableArea() const {
    const HDC dc = device_->InformationDc();
    const int width = GetDeviceCaps(dc, HORZRES);
    const int height = GetDeviceCaps(dc, VERTRES);
    const int left = GetDeviceCaps(dc, PHYSICALOFFSETX);
    const int top = GetDeviceCaps(dc, PHYSICALOFFSETY);
    // Screens and metafiles have no paper: their physical size reads 0 and all margins apply.
    const int right = GetDeviceCaps(dc, PHYSICALWIDTH) - left - width;
    const int bottom = GetDeviceCaps(dc, PHYSICALHEIGHT) - top - height;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    return {Margin(dpiX, left), Margin(dpiY, top), width - Margin(dpiX, right),
            height - Margin(dpiY, bottom)};
}

Outcome GdiPrintTarget::StartDocument(std::string_view name) {
    return device_->StartDocument(Widen(name));
}

void GdiPrintTarget::DrawPage(const PrintedPage& page) {
    const HDC dc = device_->PageDc();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    for (const PrintedText& text : page.texts) {
        const SelectedObject font(dc, Font(text.font));
        const std::wstring wide = Widen(text.text);
        RECT box{text.box.left, text.box.top, text.box.right, text.box.bottom};
        // Clipped to its box, a text too long for its column ends in an ellipsis.
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                      (text.align == PrintAlign::Right ? DT_RIGHT : DT_LEFT));
    }
    const int thickness = std::max(1, GetDeviceCaps(dc, LOGPIXELSY) / 150);
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, thickness, RGB(0, 0, 0)));
    const SelectedObject selected(dc, pen.Get());
    for (const PrintedRule& rule : page.rules) {
        MoveToEx(dc, rule.left, rule.y, nullptr);
        LineTo(dc, rule.right, rule.y);
    }
}

// ---- The print dialog

ChosenPrinter Win32PrinterDialog::Choose() {
    const ModalTurn turn(owner_);
    if (!turn.Taken()) {
        return {};  // as if cancelled: the open dialog stays the one to answer
    }
    if (!devMode_) {
        // Asks for the default printer without showing anything: with no printer installed the
        // user learns so at once instead of from an empty dialog.
        PRINTDLGW defaults{};
        defaults.lStructSize = sizeof defaults;
        defaults.hwndOwner = owner_;
        defaults.Flags = PD_RETURNDEFAULT;
        if (!PrintDlgW(&defaults)) {
            return {nullptr, DialogError(CommDlgExtendedError())};
        }
        devMode_.Reset(defaults.hDevMode);
        devNames_.Reset(defaults.hDevNames);
        OfferLandscape(devMode_.Get());
    }
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.hDevMode = devMode_.Release();
    dialog.hDevNames = devNames_.Release();
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = PrintDlgW(&dialog);
    // The dialog may have replaced both blocks; whatever it left is kept for the next use.
    devMode_.Reset(dialog.hDevMode);
    devNames_.Reset(dialog.hDevNames);
    PrinterDc printer(dialog.hDC);
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error == 0) {
            return {};  // cancelled
        }
        // A printer removed since it was chosen must not fail every later try: the next one
        // starts again from the default printer.
        devMode_.Reset();
        devNames_.Reset();
        return {nullptr, DialogError(error)};
    }
    if (!printer) {
        return {nullptr, "The printer cannot be opened."};
    }
    return {std::make_unique<GdiPrintTarget>(std::make_unique<PrinterPages>(std::move(printer))),
            ""};
}

}  // namespace orv
