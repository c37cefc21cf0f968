#pragma once
// The statistics document on MSXML 6 (DOMDocument60 through COM).

#include <windows.h>

#include <msxml2.h>
#include <wrl/client.h>

#include "stats/statistics_document.h"

namespace orv {

class MsxmlDocument final : public StatisticsDocument {
  public:
    // Starts as the empty document; if MSXML is unavailable every operation fails. The thread
    // must have entered COM (the program entry does).
    MsxmlDocument();
    ~MsxmlDocument() override;
    MsxmlDocument(const MsxmlDocument&) = delete;
    MsxmlDocument& operator=(const MsxmlDocument&) = delete;

    Outcome Load(const std::string& path) override;
    Outcome Save(const std::string& path) const override;
    void Reset() override;
    Outcome AppendRecord(std::span<const NamedText> attributes) override;
    void ReadRecords(RecordReader& reader) const override;
    std::size_t RecordCount() const override;

  private:
    // The loaded file's size plus the texts appended since: about what the texts take.
    std::size_t textBytesBound_ = 0;
    Microsoft::WRL::ComPtr<IXMLDOMDocument> document_;
};

}  // namespace orv
