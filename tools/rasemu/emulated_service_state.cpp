// The emulated service's state as text, so that every process of the prefix can share one
// service: what the scenario file says is read from it again, everything that changed since
// (the timeline, handles, dials, phonebook edits, faults, answers) is written here.

#include <charconv>
#include <cstdio>
#include <sstream>

#include "tools/rasemu/emulated_service.h"

namespace orv::rasemu {
namespace {

constexpr std::string_view kStateHeader = "rasemu-state 1";
// An absent optional text; Encode never writes it for a present one.
constexpr std::string_view kAbsent = "!";

// One word with no blank, line end or '%' left in it; an empty text is "~".
std::string Encode(std::string_view text) {
    if (text.empty()) {
        return "~";
    }
    std::string word;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || c == '%' || c == '~' || c == '!' || byte == 0x7f) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            word += escaped;
        } else {
            word += c;
        }
    }
    return word;
}

std::optional<std::string> Decode(std::string_view word) {
    if (word == "~") {
        return std::string();
    }
    std::string text;
    for (std::size_t at = 0; at < word.size(); ++at) {
        if (word[at] != '%') {
            text += word[at];
            continue;
        }
        unsigned value = 0;
        if (at + 2 >= word.size()) {
            return std::nullopt;
        }
        const auto [end, error] =
            std::from_chars(word.data() + at + 1, word.data() + at + 3, value, 16);
        if (error != std::errc() || end != word.data() + at + 3) {
            return std::nullopt;
        }
        text += static_cast<char>(value);
        at += 2;
    }
    return text;
}

std::string EncodeOptional(const std::optional<std::string>& text) {
    return text ? Encode(*text) : std::string(kAbsent);
}

// Reads the words of one line in turn; any word that is missing or not what was asked for
// marks the whole state unreadable.
class LineReader {
  public:
    explicit LineReader(std::string_view line) {
        std::size_t at = 0;
        while (at < line.size()) {
            const std::size_t end = std::min(line.find(' ', at), line.size());
            if (end > at) {
                words_.emplace_back(line.substr(at, end - at));
            }
            at = end + 1;
        }
    }
    std::string Keyword() { return Word(); }
    bool AtEnd() const { return next_ == words_.size(); }
    bool Good() const { return good_; }

    std::string Text() {
        const auto text = Decode(Word());
        good_ = good_ && text.has_value();
        return text.value_or("");
    }
    std::optional<std::string> OptionalText() {
        if (next_ < words_.size() && words_[next_] == kAbsent) {
            ++next_;
            return std::nullopt;
        }
        return Text();
    }
    template <typename Number>
    Number Read() {
        const std::string word = Word();
        Number value{};
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        good_ = good_ && error == std::errc() && end == word.data() + word.size();
        return value;
    }
    double ReadDouble() {
        const std::string word = Word();
        char* end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        good_ = good_ && !word.empty() && end == word.c_str() + word.size();
        return value;
    }

  private:
    std::string Word() {
        if (next_ >= words_.size()) {
            good_ = false;
            return {};
        }
        return words_[next_++];
    }
    std::vector<std::string> words_;
    std::size_t next_ = 0;
    bool good_ = true;
};

void WriteAnswers(std::ostream& out, const char* keyword, const std::vector<DialogAnswer>& all) {
    for (const DialogAnswer& a : all) {
        out << keyword << ' ' << Encode(a.target) << ' ' << (a.cancelled ? 1 : 0) << ' '
            << EncodeOptional(a.name) << ' ' << EncodeOptional(a.phoneNumber) << ' '
            << EncodeOptional(a.userName) << ' ' << EncodeOptional(a.password) << ' '
            << EncodeOptional(a.deviceName) << '\n';
    }
}

DialogAnswer ReadAnswer(LineReader& line) {
    DialogAnswer a;
    a.target = line.Text();
    a.cancelled = line.Read<int>() != 0;
    a.name = line.OptionalText();
    a.phoneNumber = line.OptionalText();
    a.userName = line.OptionalText();
    a.password = line.OptionalText();
    a.deviceName = line.OptionalText();
    return a;
}

}  // namespace

std::string EmulatedService::SaveState() const {
    std::ostringstream out;
    out.precision(17);
    out << kStateHeader << '\n';
    out << "clock " << realBaseMs_ << ' ' << scenarioBaseMs_ << ' ' << scenario_.speed << '\n';
    out << "next " << nextHandle_ << '\n';
    out << "ask " << (scenario_.askUnscripted ? 1 : 0) << '\n';
    for (const PhonebookEntry& e : scenario_.entries) {
        out << "entry " << Encode(e.name) << ' ' << Encode(e.phoneNumber) << ' '
            << Encode(e.userName) << ' ' << Encode(e.password) << ' ' << Encode(e.deviceName) << ' '
            << Encode(e.domain) << '\n';
    }
    for (const Fault& f : scenario_.faults) {
        out << "fault " << static_cast<int>(f.call) << ' ' << f.code << ' ' << f.fromMs << ' '
            << f.toMs << '\n';
    }
    for (const DialScript& d : scenario_.dials) {
        out << "dial " << Encode(d.target);
        for (const RasResult outcome : d.outcomes) {
            out << ' ' << outcome;
        }
        out << '\n';
    }
    for (const auto& [target, attempts] : dialAttempts_) {
        out << "attempts " << Encode(target) << ' ' << attempts << '\n';
    }
    WriteAnswers(out, "create", scenario_.createAnswers);
    WriteAnswers(out, "edit", scenario_.editAnswers);
    // Sessions made up for names the scenario has none for: plain ones, by name.
    for (std::size_t index = scenario_.sessions.size(); index < scripts_.size(); ++index) {
        out << "script " << Encode(scripts_[index].entryName) << '\n';
    }
    for (std::size_t index = 0; index < lastOccurrence_.size(); ++index) {
        out << "occurrence " << index << ' ' << lastOccurrence_[index] << '\n';
    }
    auto writeSteps = [&](const std::vector<DialStep>& steps) {
        for (const DialStep& step : steps) {
            out << "step " << step.dueMs << ' ' << step.progress.state << ' ' << step.progress.error
                << '\n';
        }
    };
    for (const Connection& c : connections_) {
        out << "connection " << c.handle << ' ' << c.script << ' ' << Encode(c.entryName) << ' '
            << c.appearMs << ' ' << c.goneMs << ' ' << c.dropError << ' ' << c.endedMs << ' '
            << c.endError << ' ' << c.hungUpMs << ' ' << c.releasedMs << ' '
            << (c.handedOut ? 1 : 0) << '\n';
        writeSteps(c.dialSteps);
    }
    for (const DialRecord& d : dials_) {
        out << "dialrecord " << d.handle << ' ' << d.taken << '\n';
        writeSteps(d.steps);
    }
    return out.str();
}

bool EmulatedService::RestoreState(std::string_view text) {
    if (!text.starts_with(kStateHeader)) {
        return false;
    }
    // What the scenario file says, before anything changed it.
    scenario_.entries.clear();
    scenario_.faults.clear();
    scenario_.dials.clear();
    scenario_.createAnswers.clear();
    scenario_.editAnswers.clear();
    dialAttempts_.clear();
    scripts_.resize(scenario_.sessions.size());
    connections_.clear();
    dials_.clear();
    std::vector<DialStep>* steps = nullptr;
    std::istringstream lines{std::string(text)};
    std::string raw;
    std::getline(lines, raw);
    while (std::getline(lines, raw)) {
        LineReader line(raw);
        const std::string keyword = line.Keyword();
        if (keyword == "clock") {
            realBaseMs_ = line.Read<Millis>();
            scenarioBaseMs_ = line.Read<Millis>();
            scenario_.speed = line.ReadDouble();
        } else if (keyword == "next") {
            nextHandle_ = line.Read<ConnectionHandle>();
        } else if (keyword == "ask") {
            scenario_.askUnscripted = line.Read<int>() != 0;
        } else if (keyword == "entry") {
            PhonebookEntry e;
            e.name = line.Text();
            e.phoneNumber = line.Text();
            e.userName = line.Text();
            e.password = line.Text();
            e.deviceName = line.Text();
            e.domain = line.Text();
            scenario_.entries.push_back(std::move(e));
        } else if (keyword == "fault") {
            Fault f;
            f.call = static_cast<ServiceCall>(line.Read<int>());
            f.code = line.Read<RasResult>();
            f.fromMs = line.Read<Millis>();
            f.toMs = line.Read<Millis>();
            scenario_.faults.push_back(f);
        } else if (keyword == "dial") {
            DialScript d;
            d.target = line.Text();
            while (!line.AtEnd() && line.Good()) {
                d.outcomes.push_back(line.Read<RasResult>());
            }
            scenario_.dials.push_back(std::move(d));
        } else if (keyword == "attempts") {
            const std::string target = line.Text();
            dialAttempts_[target] = line.Read<std::size_t>();
        } else if (keyword == "create" || keyword == "edit") {
            (keyword == "create" ? scenario_.createAnswers : scenario_.editAnswers)
                .push_back(ReadAnswer(line));
        } else if (keyword == "script") {
            SessionScript plain;
            plain.entryName = line.Text();
            scripts_.push_back(std::move(plain));
        } else if (keyword == "occurrence") {
            const auto index = line.Read<std::size_t>();
            const auto occurrence = line.Read<long long>();
            if (index >= lastOccurrence_.size()) {
                return false;
            }
            lastOccurrence_[index] = occurrence;
        } else if (keyword == "connection") {
            Connection c;
            c.handle = line.Read<ConnectionHandle>();
            c.script = line.Read<std::size_t>();
            c.entryName = line.Text();
            c.appearMs = line.Read<Millis>();
            c.goneMs = line.Read<Millis>();
            c.dropError = line.Read<RasResult>();
            c.endedMs = line.Read<Millis>();
            c.endError = line.Read<RasResult>();
            c.hungUpMs = line.Read<Millis>();
            c.releasedMs = line.Read<Millis>();
            c.handedOut = line.Read<int>() != 0;
            if (c.script >= scripts_.size()) {
                return false;
            }
            connections_.push_back(std::move(c));
            steps = &connections_.back().dialSteps;
        } else if (keyword == "dialrecord") {
            DialRecord d;
            d.handle = line.Read<ConnectionHandle>();
            d.taken = line.Read<std::size_t>();
            dials_.push_back(std::move(d));
            steps = &dials_.back().steps;
        } else if (keyword == "step" && steps != nullptr) {
            DialStep step;
            step.dueMs = line.Read<Millis>();
            step.progress.state = line.Read<std::uint32_t>();
            step.progress.error = line.Read<RasResult>();
            steps->push_back(step);
        } else {
            return false;
        }
        if (!line.Good() || !line.AtEnd()) {
            return false;
        }
    }
    // A dial record is complete only with its steps.
    for (const DialRecord& d : dials_) {
        if (d.steps.empty() || d.taken > d.steps.size()) {
            return false;
        }
    }
    return true;
}

}  // namespace orv::rasemu
