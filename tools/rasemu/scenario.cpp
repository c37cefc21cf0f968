#include "tools/rasemu/scenario.h"

#include <charconv>
#include <cmath>
#include <map>

#include "tools/rasemu/line_tokens.h"

namespace orv::rasemu {
namespace {

using Words = std::vector<std::string>;

constexpr std::size_t kMaxAddressChars = 15;

std::optional<double> ParseNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint32_t> ParseUnsigned(std::string_view text, int base = 10) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseNonNegative(std::string_view text) {
    const auto value = ParseNumber(text);
    return value && *value >= 0 ? value : std::nullopt;
}

// Key-value pairs from words[at] on, each value put where its key says; false on a key not
// in keys or a key without a value.
template <typename Field>
bool ParsePairs(const Words& words, std::size_t at,
                const std::map<std::string_view, Field*>& keys) {
    if ((words.size() - at) % 2 != 0) {
        return false;
    }
    for (; at < words.size(); at += 2) {
        const auto key = keys.find(words[at]);
        if (key == keys.end()) {
            return false;
        }
        *key->second = words[at + 1];
    }
    return true;
}

// The words after an entry's name: key-value pairs.
std::optional<PhonebookEntry> ParseEntry(const Words& words) {
    if (words.size() < 2) {
        return std::nullopt;
    }
    PhonebookEntry entry;
    entry.name = words[1];
    const std::map<std::string_view, std::string*> keys = {{"phone", &entry.phoneNumber},
                                                           {"user", &entry.userName},
                                                           {"password", &entry.password},
                                                           {"device", &entry.deviceName},
                                                           {"domain", &entry.domain}};
    return ParsePairs(words, 2, keys) ? std::optional(entry) : std::nullopt;
}

// The fields a dialog saves: key-value pairs from words[at] on; `name` only when renaming is
// allowed (the edit dialog).
std::optional<DialogAnswer> ParseAnswerFields(const Words& words, std::size_t at, bool renames) {
    DialogAnswer answer;
    std::map<std::string_view, std::optional<std::string>*> keys = {{"phone", &answer.phoneNumber},
                                                                    {"user", &answer.userName},
                                                                    {"password", &answer.password},
                                                                    {"device", &answer.deviceName}};
    if (renames) {
        keys.emplace("name", &answer.name);
    }
    return ParsePairs(words, at, keys) ? std::optional(answer) : std::nullopt;
}

// "at S" (one second), "from S", "from S to S", or nothing (always).
std::optional<std::pair<Millis, Millis>> ParseFaultTime(const Words& words, std::size_t at) {
    const std::size_t left = words.size() - at;
    if (left == 0) {
        return std::pair<Millis, Millis>{0, kNever};
    }
    if (left != 2 && left != 4) {
        return std::nullopt;
    }
    const Millis first = ParseSeconds(words[at + 1]).value_or(-1);
    if (first < 0) {
        return std::nullopt;
    }
    if (left == 2) {
        if (words[at] == "at") {
            return std::pair<Millis, Millis>{first, first + 1000};
        }
        return words[at] == "from" ? std::optional(std::pair<Millis, Millis>{first, kNever})
                                   : std::nullopt;
    }
    const Millis last = ParseSeconds(words[at + 3]).value_or(-1);
    if (words[at] != "from" || words[at + 2] != "to" || last <= first) {
        return std::nullopt;
    }
    return std::pair<Millis, Millis>{first, last};
}

class Parser {
  public:
    ScenarioParse Parse(std::string_view text) {
        std::size_t lineNumber = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            ++lineNumber;
            const auto words = SplitWords(line);
            if (!words) {
                Fail(lineNumber, "a quote is not closed");
                continue;
            }
            if (words->empty()) {
                continue;
            }
            const bool indented = line.front() == ' ' || line.front() == '\t';
            std::string problem = indented ? SessionLine(*words) : TopLine(*words);
            if (!problem.empty()) {
                Fail(lineNumber, problem);
            }
        }
        return std::move(result_);
    }

  private:
    Scenario& scenario() { return result_.scenario; }

    void Fail(std::size_t lineNumber, const std::string& problem) {
        result_.errors.push_back("line " + std::to_string(lineNumber) + ": " + problem);
    }

    std::string TopLine(const Words& words) {
        inSession_ = false;
        const std::string& keyword = words[0];
        if (const auto dialogLine = ParseDialogLine(words, scenario())) {
            return *dialogLine;
        }
        if (keyword == "speed" && words.size() == 2) {
            const auto speed = ParseSpeed(words[1]);
            if (!speed) {
                return "the speed must be a number above 0 and at most 1000000";
            }
            scenario().speed = *speed;
        } else if (keyword == "loop" && words.size() == 2) {
            const auto loop = ParseSeconds(words[1]);
            if (!loop || *loop <= 0) {
                return "the loop must last more than 0 seconds";
            }
            scenario().loopMs = *loop;
        } else if (keyword == "dial-step" && words.size() == 2) {
            const auto step = ParseSeconds(words[1]);
            if (!step) {
                return "the dial step must be seconds";
            }
            scenario().dialStepMs = *step;
        } else if (keyword == "hangup-delay" && words.size() == 2) {
            const auto delay = ParseSeconds(words[1]);
            if (!delay) {
                return "the hang-up delay must be seconds";
            }
            scenario().hangupDelayMs = *delay;
        } else if (keyword == "error-text" && words.size() == 3) {
            const auto code = ParseErrorCode(words[1]);
            if (!code) {
                return "expected: error-text CODE \"TEXT\"";
            }
            scenario().errorTexts.emplace_back(*code, words[2]);
        } else if (keyword == "device" && words.size() == 3) {
            scenario().devices.push_back({words[1], words[2]});
        } else if (keyword == "entry") {
            const auto entry = ParseEntry(words);
            if (!entry) {
                return "expected: entry \"name\" [phone P] [user U] [password W] [device D] "
                       "[domain N]";
            }
            scenario().entries.push_back(*entry);
        } else if (keyword == "dial") {
            const auto dial = ParseDialScript(Words(words.begin() + 1, words.end()));
            if (!dial) {
                return "expected: dial \"entry\"|* connect|busy|noanswer|denied|CODE...";
            }
            scenario().dials.push_back(*dial);
        } else if (keyword == "fault") {
            return FaultLine(words);
        } else if (keyword == "session" && words.size() == 2) {
            scenario().sessions.emplace_back();
            scenario().sessions.back().entryName = words[1];
            inSession_ = true;
        } else {
            return "unknown line '" + keyword + "' or wrong number of words";
        }
        return {};
    }

    std::string FaultLine(const Words& words) {
        const auto call = words.size() >= 3 ? ParseServiceCall(words[1]) : std::nullopt;
        const auto code = words.size() >= 3 ? ParseErrorCode(words[2]) : std::nullopt;
        const auto time = words.size() >= 3 ? ParseFaultTime(words, 3) : std::nullopt;
        if (!call || !code || !time) {
            return "expected: fault CALL CODE [at S | from S [to S]]";
        }
        scenario().faults.push_back({*call, *code, time->first, time->second});
        return {};
    }

    std::string SessionLine(const Words& words) {
        if (!inSession_) {
            return "an indented line belongs under a session line";
        }
        SessionScript& session = scenario().sessions.back();
        const std::string& keyword = words[0];
        if (keyword == "at" && words.size() == 2) {
            session.appearAtMs = ParseSeconds(words[1]);
            return session.appearAtMs ? "" : "expected: at SECONDS";
        }
        if (keyword == "drop" && (words.size() == 2 || words.size() == 3)) {
            const auto after = ParseSeconds(words[1]);
            const auto code = words.size() == 3 ? ParseErrorCode(words[2]) : session.dropError;
            if (!after || !code) {
                return "expected: drop SECONDS [CODE]";
            }
            session.dropAfterMs = *after;
            session.dropError = *code;
            return {};
        }
        if (keyword == "projection-error" && words.size() == 2) {
            const auto code = ParseErrorCode(words[1]);
            session.projectionError = code.value_or(0);
            return code ? "" : "expected: projection-error CODE";
        }
        if (keyword == "states") {
            return StatesLine(words, session);
        }
        if (keyword == "device" && words.size() == 2) {
            session.deviceName = words[1];
            return {};
        }
        if (keyword == "client" || keyword == "server") {
            if (words.size() != 2 || words[1].size() > kMaxAddressChars) {
                return "expected: " + keyword + " ADDRESS of at most 15 characters";
            }
            (keyword == "client" ? session.clientIp : session.serverIp) = words[1];
            return {};
        }
        return FiguresLine(words, session);
    }

    static std::string StatesLine(const Words& words, SessionScript& session) {
        std::vector<std::uint32_t> states;
        std::size_t at = 1;
        for (; at < words.size() && words[at] != "every"; ++at) {
            const auto state = ParseUnsigned(words[at]);
            if (!state) {
                return "a state is a number";
            }
            states.push_back(*state);
        }
        if (states.empty()) {
            return "expected: states N... [every SECONDS]";
        }
        if (at < words.size()) {
            const auto step = at + 2 == words.size() ? ParseSeconds(words[at + 1]) : std::nullopt;
            if (!step || *step <= 0) {
                return "expected: every SECONDS above 0";
            }
            session.stateStepMs = *step;
        }
        session.states = std::move(states);
        return {};
    }

    static std::string FiguresLine(const Words& words, SessionScript& session) {
        const std::string& keyword = words[0];
        std::vector<std::uint32_t> numbers;
        for (std::size_t at = 1; at < words.size() && keyword != "rate"; ++at) {
            const auto number = ParseUnsigned(words[at]);
            if (!number) {
                return "expected whole numbers after " + keyword;
            }
            numbers.push_back(*number);
        }
        if (keyword == "link" && numbers.size() == 1) {
            session.linkSpeedBps = numbers[0];
        } else if (keyword == "compression" && numbers.size() == 2) {
            session.compressionIn = numbers[0];
            session.compressionOut = numbers[1];
        } else if (keyword == "bytes" && numbers.size() == 2) {
            session.startReceived = numbers[0];
            session.startSent = numbers[1];
        } else if (keyword == "rate" && words.size() == 5) {
            const auto from = ParseSeconds(words[1]);
            const auto to = ParseSeconds(words[2]);
            const auto received = ParseNonNegative(words[3]);
            const auto sent = ParseNonNegative(words[4]);
            if (!from || !to || *to <= *from || !received || !sent || *received > kMaxRate ||
                *sent > kMaxRate) {
                return "expected: rate FROM TO RECEIVED SENT (seconds, bytes per second up to "
                       "4294967295)";
            }
            session.rates.push_back({*from, *to, *received, *sent});
        } else {
            return "unknown session line '" + keyword + "' or wrong number of words";
        }
        return {};
    }

    ScenarioParse result_;
    bool inSession_ = false;
};

}  // namespace

std::optional<Millis> ParseSeconds(std::string_view text) {
    const auto seconds = ParseNonNegative(text);
    // Up to about 290 years: far beyond any scenario and safe to add to.
    if (!seconds || *seconds > 1e10) {
        return std::nullopt;
    }
    return static_cast<Millis>(std::llround(*seconds * 1000));
}

std::optional<ServiceCall> ParseServiceCall(std::string_view word) {
    static const std::map<std::string_view, ServiceCall> kCalls = {
        {"enum", ServiceCall::EnumConnections},  {"status", ServiceCall::ConnectStatus},
        {"statistics", ServiceCall::Statistics}, {"projection", ServiceCall::Projection},
        {"errortext", ServiceCall::ErrorText},   {"dial", ServiceCall::Dial},
        {"dialparams", ServiceCall::DialParams}, {"hangup", ServiceCall::HangUp},
        {"entries", ServiceCall::EnumEntries},   {"devices", ServiceCall::EnumDevices},
        {"create", ServiceCall::CreateEntry},    {"edit", ServiceCall::EditEntry},
        {"delete", ServiceCall::DeleteEntry},
    };
    const auto found = kCalls.find(word);
    return found == kCalls.end() ? std::nullopt : std::optional<ServiceCall>(found->second);
}

std::optional<RasResult> ParseDialOutcome(std::string_view word) {
    if (word == "connect") {
        return kRasSuccess;
    }
    if (word == "busy") {
        return kRasLineBusy;
    }
    if (word == "noanswer") {
        return kRasNoAnswer;
    }
    if (word == "denied") {
        return kRasAuthenticationFailure;
    }
    // HRESULTs read better in hexadecimal: 0x80070057 is E_INVALIDARG.
    const bool hex = word.starts_with("0x") || word.starts_with("0X");
    const auto code = hex ? ParseUnsigned(word.substr(2), 16) : ParseUnsigned(word);
    return code && *code != 0 ? code : std::nullopt;
}

std::optional<double> ParseSpeed(std::string_view text) {
    const auto speed = ParseNumber(text);
    return speed && *speed > 0 && *speed <= kMaxSpeed ? speed : std::nullopt;
}

std::optional<RasResult> ParseErrorCode(std::string_view word) {
    const auto code = ParseDialOutcome(word);
    return code && *code != kRasSuccess ? code : std::nullopt;
}

std::optional<DialScript> ParseDialScript(const std::vector<std::string>& words) {
    if (words.size() < 2) {
        return std::nullopt;
    }
    DialScript dial{words[0], {}};
    for (std::size_t at = 1; at < words.size(); ++at) {
        const auto outcome = ParseDialOutcome(words[at]);
        if (!outcome) {
            return std::nullopt;
        }
        dial.outcomes.push_back(*outcome);
    }
    return dial;
}

std::optional<std::string> ParseDialogLine(const std::vector<std::string>& words,
                                           Scenario& scenario) {
    const std::string& keyword = words.at(0);
    if (keyword == "create") {
        auto answer = words.size() >= 2 ? ParseAnswerFields(words, 2, false) : std::nullopt;
        if (!answer) {
            return "expected: create \"name\" [phone P] [user U] [password W] [device D]";
        }
        answer->name = words[1];
        scenario.createAnswers.push_back(std::move(*answer));
    } else if (keyword == "edit") {
        auto answer = words.size() >= 2 ? ParseAnswerFields(words, 2, true) : std::nullopt;
        if (!answer) {
            return "expected: edit \"name\" [name NEW] [phone P] [user U] [password W] "
                   "[device D]";
        }
        answer->target = words[1];
        scenario.editAnswers.push_back(std::move(*answer));
    } else if (keyword == "rename") {
        if (words.size() != 3) {
            return "expected: rename \"old name\" \"new name\"";
        }
        DialogAnswer answer;
        answer.target = words[1];
        answer.name = words[2];
        scenario.editAnswers.push_back(std::move(answer));
    } else if (keyword == "cancel") {
        const bool create = words.size() == 2 && words[1] == "create";
        const bool edit = (words.size() == 2 || words.size() == 3) && words[1] == "edit";
        if (!create && !edit) {
            return "expected: cancel create | cancel edit [\"name\"]";
        }
        DialogAnswer answer;
        answer.cancelled = true;
        answer.target = words.size() == 3 ? words[2] : "";
        (create ? scenario.createAnswers : scenario.editAnswers).push_back(std::move(answer));
    } else if (keyword == "dialogs") {
        if (words.size() != 2 || (words[1] != "ask" && words[1] != "cancel")) {
            return "expected: dialogs ask|cancel";
        }
        scenario.askUnscripted = words[1] == "ask";
    } else {
        return std::nullopt;
    }
    return std::string();
}

ScenarioParse ParseScenario(std::string_view text) {
    return Parser().Parse(text);
}

}  // namespace orv::rasemu
