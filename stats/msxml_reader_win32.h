#pragma once
// The complete XML reader of the statistics file, on MSXML 6 (DOMDocument60 through COM): only
// for files that the fast path does not accept (edited by hand, or of an unknown layout). The
// document lives only while it is read.

#include "stats/statistics_store.h"

namespace orv {

class MsxmlRecordReader final : public XmlRecordReader {
  public:
    // The thread must have entered COM (the program entry does).
    Outcome ReadRecords(std::string_view bytes, RecordStore& store) override;
};

}  // namespace orv
