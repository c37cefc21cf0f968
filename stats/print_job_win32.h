#pragma once
// "Print Statistics" on Windows: the print dialog (PrintDlgW) and the pages drawn through GDI,
// with fonts made for the printer's resolution. Where the pages go is a seam, so that tests draw
// them into metafiles instead of a printer.

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "base/win32/resources.h"
#include "stats/print_job.h"

namespace orv {

// Where the drawn pages go: a printer's spooler, or in tests a metafile per page.
class PageDevice {
  public:
    virtual ~PageDevice() = default;
    // The device context that measures texts and tells the page's size and resolution.
    virtual HDC InformationDc() const = 0;
    virtual Outcome StartDocument(const std::wstring& name) = 0;
    virtual Outcome StartPage() = 0;
    // The device context of the page started last.
    virtual HDC PageDc() const = 0;
    virtual Outcome EndPage() = 0;
    virtual Outcome EndDocument() = 0;
    virtual void AbortDocument() = 0;
};

// The printer's device context that the print dialog returned; its reasons are the system's.
class PrinterPages final : public PageDevice {
  public:
    explicit PrinterPages(PrinterDc printer) : dc_(std::move(printer)) {}
    HDC InformationDc() const override { return dc_.Get(); }
    Outcome StartDocument(const std::wstring& name) override;
    Outcome StartPage() override;
    HDC PageDc() const override { return dc_.Get(); }
    Outcome EndPage() override;
    Outcome EndDocument() override;
    void AbortDocument() override;

  private:
    PrinterDc dc_;
};

class GdiPrintTarget final : public PrintTarget {
  public:
    explicit GdiPrintTarget(std::unique_ptr<PageDevice> device);

    int LineHeight(PrintFont font) const override;
    int TextWidth(PrintFont font, std::string_view text) const override;
    Rect PrintableArea() const override;
    Outcome StartDocument(std::string_view name) override;
    Outcome StartPage() override { return device_->StartPage(); }
    void DrawPage(const PrintedPage& page) override;
    Outcome EndPage() override { return device_->EndPage(); }
    Outcome EndDocument() override { return device_->EndDocument(); }
    void AbortDocument() override { device_->AbortDocument(); }

  private:
    HFONT Font(PrintFont font) const { return fonts_[static_cast<std::size_t>(font)].Get(); }

    std::unique_ptr<PageDevice> device_;
    std::array<GdiObject<HFONT>, 3> fonts_;
    std::array<int, 3> lineHeights_{};
};

// PrintDlgW over the owner window. The first use offers the default printer in landscape
// (eleven columns read better across the long side); later uses offer the last choice.
class Win32PrinterDialog final : public PrinterDialog {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    ChosenPrinter Choose() override;

  private:
    HWND owner_ = nullptr;
    GlobalMemory devMode_;
    GlobalMemory devNames_;
};

}  // namespace orv
