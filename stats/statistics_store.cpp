#include "stats/statistics_store.h"

namespace orv {

namespace {

// What may follow the root's end tag and still be copied: a line break, or a few comments.
constexpr std::size_t kLongestCopiedEnd = 4096;

}  // namespace

StatisticsStore::StatisticsStore(StatisticsStorage& storage, XmlRecordReader& completeReader)
    : storage_(storage), completeReader_(completeReader) {}

LoadOutcome StatisticsStore::Read(const std::string& path, bool keepHeld) {
    FileRead file = storage_.ReadBytes(path);
    if (file.status == FileRead::Status::Missing) {
        return {LoadOutcome::Kind::Missing, {}};
    }
    if (file.status == FileRead::Status::Unreadable) {
        return {LoadOutcome::Kind::Unreadable, file.error};
    }
    const std::string& bytes = file.bytes;
    RecordStore read;
    std::optional<StoredFile> stored;
    LoadOutcome outcome;
    const LayoutRead layout = ReadStatisticsLayout(bytes, read);
    if (layout.accepted) {
        const std::string_view end = std::string_view(bytes).substr(layout.rootEnd);
        if (end.size() <= kLongestCopiedEnd) {
            stored = StoredFile{path, layout.rootEnd, std::string(end), read.Count(),
                                layout.rootEnd > 0 && bytes[layout.rootEnd - 1] == '\n'};
        }
    } else if (layout.endMissing) {
        // Its records are whole; no reader would take the file as it is, so the next save
        // writes it whole instead of extending it.
        outcome.kind = LoadOutcome::Kind::ReadWithoutEnd;
    } else {
        read.Clear();
        const Outcome parsed = completeReader_.ReadRecords(bytes, read);
        if (!parsed.ok()) {
            return {LoadOutcome::Kind::Damaged, parsed.error()};
        }
    }
    if (keepHeld) {
        read.AppendRecords(records_);  // after the file's own
    }
    read.Fit();
    std::swap(records_, read);
    file_ = std::move(stored);
    return outcome;
}

Outcome StatisticsStore::Save(const std::string& path) {
    if (file_) {
        std::string more = file_->endsLine ? std::string() : std::string("\r\n");
        records_.AppendLines(file_->records, more);
        more += kStatisticsTail;
        const std::optional<Outcome> written =
            storage_.WriteExtendedCopy(file_->path, file_->rootEnd, file_->end, path, more);
        if (written) {
            savedBytes_ = written->ok() ? file_->rootEnd + more.size() : 0;
            return *written;
        }
    }
    std::string whole;
    // A line takes the texts, the eleven names and their markup.
    whole.reserve(kEmptyStatisticsFile.size() + records_.TextBytes() + records_.Count() * 140);
    AppendStatisticsHead(records_.RootAttributes(), whole);
    records_.AppendLines(0, whole);
    whole += kStatisticsTail;
    const Outcome written = storage_.WriteBytes(path, whole);
    savedBytes_ = written.ok() ? whole.size() : 0;
    return written;
}

void StatisticsStore::Stored(const std::string& path) {
    file_ = StoredFile{path, savedBytes_ - kStatisticsTail.size(), std::string(kStatisticsTail),
                       records_.Count(), true};
}

void StatisticsStore::Reset() {
    records_.Clear();
    records_.Fit();
    file_.reset();
}

Outcome StatisticsStore::AppendRecord(std::span<const NamedText> attributes) {
    records_.BeginRecord();
    for (const NamedText& attribute : attributes) {
        records_.AddAttribute(attribute.name, attribute.text);
    }
    return Outcome::Ok();
}

}  // namespace orv
