#include "stats/session_journal.h"

#include <array>
#include <charconv>
#include <chrono>
#include <climits>
#include <deque>
#include <utility>

namespace orv {
namespace {

constexpr std::string_view kHeading = "Orvane session journal 1";
constexpr std::string_view kRunning = "running";
constexpr std::string_view kKept = "kept";
constexpr std::string_view kNoted = "noted";
constexpr std::string_view kDeviceType = "devicetype";
constexpr std::string_view kDeviceName = "devicename";

struct RecordField {
    std::string_view name;
    std::string ConnectionInfo::*text;
    std::size_t position;  // in the statistics file's attribute order
};

constexpr std::array<RecordField, 10> kRecordFields{{
    {"name", &ConnectionInfo::name, 0},
    {"duration", &ConnectionInfo::duration, 2},
    {"connspeed", &ConnectionInfo::connspeed, 3},
    {"received", &ConnectionInfo::received, 4},
    {"send", &ConnectionInfo::send, 5},
    {"serverip", &ConnectionInfo::serverip, 6},
    {"clientip", &ConnectionInfo::clientip, 7},
    {"startsession", &ConnectionInfo::startsession, 8},
    {"endsession", &ConnectionInfo::endsession, 9},
    {"averagespeed", &ConnectionInfo::averagespeed, 10},
}};

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

void AppendLine(std::string& out, std::string_view name, std::string_view value) {
    out += name;
    out += '\t';
    AppendEscaped(out, value);
    out += "\r\n";
}

void AppendRecord(std::string& out, const ConnectionInfo& record) {
    for (const RecordField& field : kRecordFields) {
        AppendLine(out, field.name, record.*field.text);
    }
}

std::string FormatMoment(const LocalDateTime& t) {
    std::string text = FixedWidthMoment(t, "-", " ", ":") + '.';
    AppendZeroPadded(text, t.millisecond, 3);
    return text;
}

// One whole number as the C library's "%d" scans it: blanks skipped, an optional sign, digits.
// By hand: the library's scanner and the number readers it brings are 32 KB of the program.
bool ScanWhole(std::string_view text, std::size_t& at, int& value) {
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    while (at < text.size() && kBlanks.find(text[at]) != std::string_view::npos) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (negative || text[at] == '+')) {
        ++at;
    }
    if (at == text.size() || text[at] < '0' || text[at] > '9') {
        return false;
    }
    std::int64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data() + at, text.data() + text.size(), magnitude);
    const std::int64_t whole = negative ? -magnitude : magnitude;
    if (error != std::errc() || whole < INT_MIN || whole > INT_MAX) {
        return false;
    }
    at = static_cast<std::size_t>(end - text.data());
    value = static_cast<int>(whole);
    return true;
}

bool ScanMark(std::string_view text, std::size_t& at, char mark) {
    return at < text.size() && text[at++] == mark;
}

// "Y-M-D h:m:s.ms" and nothing after it, read as "%d-%d-%d %d:%d:%d.%d" reads a C string.
std::optional<LocalDateTime> ParseMoment(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    LocalDateTime t;
    std::size_t at = 0;
    const bool read = ScanWhole(text, at, t.year) && ScanMark(text, at, '-') &&
                      ScanWhole(text, at, t.month) && ScanMark(text, at, '-') &&
                      ScanWhole(text, at, t.day) && ScanWhole(text, at, t.hour) &&
                      ScanMark(text, at, ':') && ScanWhole(text, at, t.minute) &&
                      ScanMark(text, at, ':') && ScanWhole(text, at, t.second) &&
                      ScanMark(text, at, '.') && ScanWhole(text, at, t.millisecond);
    if (!read || at != text.size()) {
        return std::nullopt;
    }
    return t;
}

std::optional<std::uint64_t> Count(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::int64_t MillisecondsOf(const LocalDateTime& t) {
    using namespace std::chrono;
    const sys_days day = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                        std::chrono::day{static_cast<unsigned>(t.day)}};
    return day.time_since_epoch().count() * 86'400'000LL +
           ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

// A noted count is not smaller than the service's. A noted count past 4 GiB cannot be compared
// with the service's 32-bit one, which has wrapped.
bool NotSmaller(std::optional<std::uint64_t> noted, std::uint64_t live) {
    return noted && (*noted > 0xFFFFFFFFu || live >= *noted);
}

// Collects the texts of the document's last `count` records.
class TailReader final : public RecordReader {
  public:
    explicit TailReader(std::size_t count) : count_(count) {}
    void ExpectRecords(std::size_t, std::size_t) override {}
    void BeginRecord() override {
        records_.emplace_back();
        if (records_.size() > count_) {
            records_.pop_front();
        }
    }
    void Attribute(std::size_t position, std::string_view text) override {
        if (records_.empty()) {
            return;
        }
        auto& record = records_.back();
        if (record.size() <= position) {
            record.resize(position + 1);
        }
        record[position] = std::string(text);
    }
    const std::deque<std::vector<std::string>>& Records() const { return records_; }

  private:
    std::size_t count_;
    std::deque<std::vector<std::string>> records_;
};

bool SameTexts(const ConnectionInfo& session, const std::vector<std::string>& record) {
    for (const RecordField& field : kRecordFields) {
        if (field.position >= record.size() || record[field.position] != session.*field.text) {
            return false;
        }
    }
    return true;
}

// A kill between the save of the statistics file and the next note leaves sessions in the
// journal that the file already ends with: those are not stored a second time.
bool FileEndsWith(const StatisticsDocument& document, const std::vector<ConnectionInfo>& kept) {
    if (kept.empty() || document.RecordCount() < kept.size()) {
        return false;
    }
    TailReader tail(kept.size());
    document.ReadRecords(tail);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (!SameTexts(kept[i], tail.Records()[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string FormatJournal(const Journal& journal) {
    std::string out(kHeading);
    out += "\r\n";
    if (journal.running) {
        out += kRunning;
        out += "\r\n";
        AppendLine(out, kNoted, FormatMoment(journal.running->noted));
        AppendLine(out, kDeviceType, journal.running->deviceType);
        AppendLine(out, kDeviceName, journal.running->deviceName);
        AppendRecord(out, journal.running->record);
    }
    for (const ConnectionInfo& session : journal.kept) {
        out += kKept;
        out += "\r\n";
        AppendRecord(out, session);
    }
    return out;
}

std::optional<Journal> ParseJournal(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    if (lines.empty() || lines.front() != kHeading) {
        return std::nullopt;
    }
    Journal journal;
    ConnectionInfo* record = nullptr;
    RunningSession* running = nullptr;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line == kRunning) {
            running = &journal.running.emplace();
            record = &running->record;
            continue;
        }
        if (line == kKept) {
            running = nullptr;
            record = &journal.kept.emplace_back();
            continue;
        }
        const std::size_t tab = line.find('\t');
        if (!record || tab == std::string_view::npos) {
            continue;
        }
        const std::string_view name = line.substr(0, tab);
        const std::string value = Unescaped(line.substr(tab + 1));
        for (const RecordField& field : kRecordFields) {
            if (field.name == name) {
                record->*field.text = value;
            }
        }
        if (running && name == kNoted) {
            // A moment that does not read leaves the default, which no live line matches.
            running->noted = ParseMoment(value).value_or(LocalDateTime{});
        } else if (running && name == kDeviceType) {
            running->deviceType = value;
        } else if (running && name == kDeviceName) {
            running->deviceName = value;
        }
    }
    return journal;
}

bool ContinuesSession(const RunningSession& noted, const LiveLine& live) {
    const ConnectionInfo& record = noted.record;
    const std::optional<std::uint64_t> duration = Count(record.duration);
    if (record.name != live.entryName || noted.deviceType != live.deviceType ||
        noted.deviceName != live.deviceName || !duration || live.durationMs < *duration) {
        return false;
    }
    if (!NotSmaller(Count(record.received), live.bytesReceived) ||
        !NotSmaller(Count(record.send), live.bytesSent)) {
        return false;
    }
    const std::int64_t notedStart =
        MillisecondsOf(noted.noted) - static_cast<std::int64_t>(*duration);
    const std::int64_t liveStart = MillisecondsOf(live.readAt) - std::int64_t{live.durationMs};
    const std::int64_t apart = notedStart - liveStart;
    return apart <= kSameStartToleranceMs && apart >= -kSameStartToleranceMs;
}

SessionJournal::SessionJournal(JournalServices services) : services_(std::move(services)) {}

void SessionJournal::Open(const std::string& programFolder) {
    path_ = programFolder + std::string(kJournalInFolder);
    if (const std::optional<std::string> text = services_.file.Read(path_)) {
        left_ = ParseJournal(*text);
    }
}

void SessionJournal::Resume(const std::optional<LiveLine>& first,
                            const std::function<void(const RunningSession&)>& continueSession) {
    resumed_ = true;
    if (!left_) {
        return;
    }
    Journal left = std::move(*left_);
    left_.reset();
    std::vector<ConnectionInfo> ended;
    if (!FileEndsWith(services_.archive.Document(), left.kept)) {
        ended = std::move(left.kept);
    }
    if (left.running && first && ContinuesSession(*left.running, *first)) {
        continueSession(*left.running);
    } else if (left.running) {
        ended.push_back(left.running->record);
    }
    kept_.insert(kept_.end(), ended.begin(), ended.end());
    Write();
    for (const ConnectionInfo& session : ended) {
        services_.archive.AppendSession(session);
    }
    ForgetSavedSessions();
    Write();
}

void SessionJournal::AppendSession(const ConnectionInfo& session) {
    kept_.push_back(session);
    Write();
    services_.archive.AppendSession(session);
    if (services_.archive.UnsavedSessions() == 0) {
        ForgetSavedSessions();
        Write();
    }
}

void SessionJournal::Note() {
    if (services_.archive.UnsavedSessions() > 0) {
        services_.archive.SaveKeptSessions();
    }
    ForgetSavedSessions();
    Write();
}

void SessionJournal::ForgetSavedSessions() {
    if (services_.archive.UnsavedSessions() == 0) {
        kept_.clear();
    }
}

void SessionJournal::Write() {
    if (!resumed_) {
        return;  // what an earlier run left is still to be dealt with
    }
    Journal journal{services_.running ? services_.running() : std::nullopt, kept_};
    if (!journal.running && journal.kept.empty()) {
        if (mayBeOnDisk_) {
            const Outcome removed = services_.file.Remove(path_);
            mayBeOnDisk_ = !removed.ok();
            Written(removed);
        }
        return;
    }
    mayBeOnDisk_ = true;
    Written(services_.file.Replace(path_, FormatJournal(journal)));
}

void SessionJournal::Written(const Outcome& outcome) {
    if (outcome.ok()) {
        failing_ = false;
    } else if (!std::exchange(failing_, true) && services_.report) {
        services_.report("The running session cannot be noted in " + path_ + ": " +
                         outcome.error());
    }
}

}  // namespace orv
