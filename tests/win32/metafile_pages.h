#pragma once
// A page device that records each printed page as an enhanced metafile over the screen and
// reads back the texts GDI drew on it, so that printing is tested without a printer.

#include <windows.h>

#include <string>
#include <vector>

#include "base/win32/resources.h"
#include "base/win32/wide_text.h"
#include "stats/print_job_win32.h"

namespace orv::testing {

struct RecordedPages {
    std::vector<std::vector<std::string>> texts;  // per page, in drawing order
    std::vector<int> lines;                       // per page, the lines drawn
    bool ended = false;
    bool aborted = false;
};

class MetafilePages final : public PageDevice {
  public:
    explicit MetafilePages(RecordedPages& pages) : screen_(nullptr), pages_(pages) {}
    HDC InformationDc() const override { return screen_.Get(); }
    Outcome StartDocument(const std::wstring&) override { return Outcome::Ok(); }
    Outcome StartPage() override {
        page_ = CreateEnhMetaFileW(screen_.Get(), nullptr, nullptr, nullptr);
        return page_ ? Outcome::Ok() : Outcome::Failed("no metafile");
    }
    HDC PageDc() const override { return page_; }
    Outcome EndPage() override {
        const EnhMetafile picture(CloseEnhMetaFile(page_));
        page_ = nullptr;
        Read(picture.Get());
        return Outcome::Ok();
    }
    Outcome EndDocument() override {
        pages_.ended = true;
        return Outcome::Ok();
    }
    void AbortDocument() override { pages_.aborted = true; }

  private:
    void Read(HENHMETAFILE picture) {
        std::vector<BYTE> bits(GetEnhMetaFileBits(picture, 0, nullptr));
        GetEnhMetaFileBits(picture, static_cast<UINT>(bits.size()), bits.data());
        std::vector<std::string>& texts = pages_.texts.emplace_back();
        int& lines = pages_.lines.emplace_back();
        for (std::size_t offset = 0; offset + sizeof(EMR) <= bits.size();) {
            const auto* record = reinterpret_cast<const EMR*>(bits.data() + offset);
            if (record->iType == EMR_EXTTEXTOUTW) {
                const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                const auto* chars = reinterpret_cast<const wchar_t*>(
                    reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
                texts.push_back(Narrow(std::wstring_view(chars, text->emrtext.nChars)));
            } else if (record->iType == EMR_LINETO) {
                ++lines;
            }
            if (record->nSize == 0) {
                break;
            }
            offset += record->nSize;
        }
    }

    WindowDc screen_;
    RecordedPages& pages_;
    HDC page_ = nullptr;
};

// A print dialog that always chooses the metafile pages.
class MetafilePrinterDialog final : public PrinterDialog {
  public:
    ChosenPrinter Choose() override {
        return {std::make_unique<GdiPrintTarget>(std::make_unique<MetafilePages>(pages)), ""};
    }
    RecordedPages pages;
};

}  // namespace orv::testing
