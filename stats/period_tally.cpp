#include "stats/period_tally.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "stats/statistics_formats.h"

namespace orv {
namespace {

// Attribute positions of a stored session.
constexpr std::size_t kDurationAttribute = 2;
constexpr std::size_t kReceivedAttribute = 4;
constexpr std::size_t kSentAttribute = 5;
constexpr std::size_t kEndAttribute = 9;

// A stored count read as the session list reads it; counts stored negative add nothing.
std::uint64_t Amount(std::string_view text) {
    return static_cast<std::uint64_t>(std::max<std::int64_t>(ParseCount(text), 0));
}

class TallyReader final : public RecordReader {
  public:
    explicit TallyReader(std::function<void(const std::array<std::string, 4>&)> add)
        : add_(std::move(add)) {}
    ~TallyReader() { Flush(); }

    void ExpectRecords(std::size_t, std::size_t) override {}
    void BeginRecord() override {
        Flush();
        open_ = true;
    }
    void Attribute(std::size_t position, std::string_view text) override {
        switch (position) {
            case kEndAttribute:
                texts_[0] = text;
                break;
            case kDurationAttribute:
                texts_[1] = text;
                break;
            case kReceivedAttribute:
                texts_[2] = text;
                break;
            case kSentAttribute:
                texts_[3] = text;
                break;
            default:
                break;
        }
    }

  private:
    void Flush() {
        if (open_) {
            add_(texts_);
            texts_ = {};
        }
        open_ = false;
    }

    std::function<void(const std::array<std::string, 4>&)> add_;
    std::array<std::string, 4> texts_{};  // end, duration, received, sent
    bool open_ = false;
};

}  // namespace

PeriodTally::PeriodTally(SessionStore& next, const StatisticsDocument& document,
                         const RegionalFormats& formats)
    : next_(next), document_(document), formats_(formats) {}

void PeriodTally::AppendSession(const ConnectionInfo& session) {
    const std::size_t before = document_.RecordCount();
    next_.AppendSession(session);
    // Only a count that this one session explains is added to; anything else is read again.
    if (counted_ == before && document_.RecordCount() == before + 1) {
        Add(session.endsession, session.duration, session.received, session.send);
        counted_ = before + 1;
    }
}

PeriodUse PeriodTally::StoredIn(const BillingPeriod& period) {
    if (counted_ != document_.RecordCount()) {
        Recount();
    }
    PeriodUse use;
    for (auto day = days_.lower_bound(period.first); day != days_.end() && day->first < period.next;
         ++day) {
        use += day->second;
    }
    return use;
}

void PeriodTally::Add(std::string_view end, std::string_view duration, std::string_view received,
                      std::string_view sent) {
    const auto moment = ParseLocalDateTime(end, formats_);
    if (!moment) {
        return;
    }
    PeriodUse& day = days_[DayOf(*moment)];
    day.bytes += Amount(received) + Amount(sent);
    day.milliseconds += Amount(duration);
}

void PeriodTally::Recount() {
    days_.clear();
    {
        TallyReader reader([this](const std::array<std::string, 4>& texts) {
            Add(texts[0], texts[1], texts[2], texts[3]);
        });
        document_.ReadRecords(reader);
    }
    counted_ = document_.RecordCount();
}

}  // namespace orv
