#pragma once
// An in-memory statistics document for host tests and benchmarks: records as lists of
// (name, text) pairs in document order.

#include <string>
#include <utility>
#include <vector>

#include "stats/statistics_document.h"

namespace orv::testing {

class MemoryDocument final : public StatisticsDocument {
  public:
    using Record = std::vector<std::pair<std::string, std::string>>;

    Outcome Load(const std::string&) override { return Outcome::Failed("not supported"); }
    Outcome Save(const std::string&) const override { return Outcome::Failed("not supported"); }
    void Reset() override { records.clear(); }
    Outcome AppendRecord(std::span<const NamedText> attributes) override {
        Record& record = records.emplace_back();
        for (const NamedText& attribute : attributes) {
            record.emplace_back(attribute.name, attribute.text);
        }
        return Outcome::Ok();
    }
    void ReadRecords(RecordReader& reader) const override {
        for (const Record& record : records) {
            reader.BeginRecord();
            for (std::size_t position = 0; position < record.size(); ++position) {
                reader.Attribute(position, record[position].second);
            }
        }
    }

    std::vector<Record> records;
};

// A complete stored session with the given duration and byte counts.
inline MemoryDocument::Record SessionRecord(std::string name, std::string duration,
                                            std::string received, std::string sent) {
    return {{"name", std::move(name)},
            {"user", "anna"},
            {"duration", std::move(duration)},
            {"connspeed", "115200"},
            {"received", std::move(received)},
            {"send", std::move(sent)},
            {"serverip", "10.0.0.1"},
            {"clientip", "10.0.0.2"},
            {"startsession", "08.12.2026 10:00:00"},
            {"endsession", "08.12.2026 11:02:03"},
            {"averagespeed", "1,50"}};
}

}  // namespace orv::testing
