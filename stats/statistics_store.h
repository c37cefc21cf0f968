#pragma once
// The statistics document without an XML document behind it: the file is read once into a
// compact store of texts, and written by this program itself. An append normally copies the
// file as it was stored, up to its root's end tag, and adds the new lines; the whole file is
// written from the store when the file is not what the last save left (it was written by an
// earlier version, edited, or is gone), since what the store holds is the truth.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stats/statistics_document.h"
#include "stats/statistics_ports.h"
#include "stats/statistics_xml.h"

namespace orv {

// A complete XML reader for the files that the fast path does not accept: the root's child
// elements become the records. On failure it says why and, where it can, at which line.
class XmlRecordReader {
  public:
    virtual ~XmlRecordReader() = default;
    virtual Outcome ReadRecords(std::string_view bytes, RecordStore& store) = 0;
};

class StatisticsStore final : public StatisticsDocument {
  public:
    StatisticsStore(StatisticsStorage& storage, XmlRecordReader& completeReader);

    LoadOutcome Load(const std::string& path) override { return Read(path, false); }
    LoadOutcome LoadKeepingHeld(const std::string& path) override { return Read(path, true); }
    Outcome Save(const std::string& path) override;
    std::uint64_t SavedBytes() const override { return savedBytes_; }
    void Stored(const std::string& path) override;
    void Reset() override;
    Outcome AppendRecord(std::span<const NamedText> attributes) override;
    void ReadRecords(RecordReader& reader) const override { records_.Read(reader); }
    std::size_t RecordCount() const override { return records_.Count(); }

  private:
    LoadOutcome Read(const std::string& path, bool keepHeld);

    // The file as it was last read or stored: everything before `rootEnd` stays as it is.
    struct StoredFile {
        std::string path;
        std::uint64_t rootEnd = 0;
        std::string end;  // from the root's end tag to the end of the file
        std::size_t records = 0;
        bool endsLine = true;  // the text before the end tag ends with a line break
    };

    StatisticsStorage& storage_;
    XmlRecordReader& completeReader_;
    RecordStore records_;
    std::optional<StoredFile> file_;
    std::uint64_t savedBytes_ = 0;
};

}  // namespace orv
