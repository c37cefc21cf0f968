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

    LoadOutcome Load(const std::string&) override {
        return {LoadOutcome::Kind::Damaged, "not supported"};
    }
    LoadOutcome LoadKeepingHeld(const std::string& path) override { return Load(path); }
    Outcome Save(const std::string&) override { return Outcome::Failed("not supported"); }
    std::uint64_t SavedBytes() const override { return 0; }
    void Stored(const std::string&) override {}
    void Reset() override { records.clear(); }
    Outcome AppendRecord(std::span<const NamedText> attributes) override {
        Record& record = records.emplace_back();
        for (const NamedText& attribute : attributes) {
            record.emplace_back(attribute.name, attribute.text);
        }
        return Outcome::Ok();
    }
    std::size_t RecordCount() const override { return records.size(); }
    void ReadRecords(RecordReader& reader) const override {
        std::size_t textBytes = 0;
        for (const Record& record : records) {
            for (const auto& attribute : record) {
                textBytes += attribute.second.size();
            }
        }
        reader.ExpectRecords(records.size(), textBytes);
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

// count sessions of varying names, durations and byte counts, as a long history holds them.
inline MemoryDocument GeneratedDocument(std::size_t count) {
    MemoryDocument document;
    document.records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        document.records.push_back(SessionRecord(
            "Provider " + std::to_string(i % 7), std::to_string(60'000 + i * 997 % 7'200'000),
            std::to_string(i * 7919 % 40'000'000), std::to_string(i * 104'729 % 4'000'000)));
    }
    return document;
}

}  // namespace orv::testing
