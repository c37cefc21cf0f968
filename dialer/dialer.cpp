#include "dialer/dialer.h"

#include <algorithm>
#include <vector>

#include "base/wipe_text.h"
#include "dialer/dial_state_text.h"
#include "monitor/service_error_text.h"

namespace orv {
namespace {

constexpr std::string_view kHungUpText = "Прервано пользователем...";
constexpr std::string_view kInputErrorTitle[] = {"Ошибка", "Error"};
constexpr std::string_view kNothingToDial[] = {"Не выбрано соединение для набора",
                                               "No phonebook entry is chosen to dial"};

// Room of the dial request's members, without the terminating zero.
constexpr std::size_t kMaxNameChars = 256;
constexpr std::size_t kMaxNumberChars = 128;

// Characters of a UTF-8 text (the request holds one byte per character of the code page).
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }
    return count;
}

std::string TooLong(std::string_view field, std::size_t limit, bool russian) {
    if (!russian) {
        return "The field \"" + std::string(field) + "\" is longer than " +
               std::to_string(limit) + " characters. Nothing was dialed.";
    }
    return "Поле \"" + std::string(field) + "\" длиннее " + std::to_string(limit) +
           " символов. Номер не набран.";
}

// The index of a two-language text table: Russian first.
std::size_t Language(bool russian) {
    return russian ? 0 : 1;
}

void WipeForm(DialForm& form) {
    WipeText(form.password);
    WipeText(form.userName);
}

void WipeRequest(DialParams& request) {
    WipeText(request.password);
    WipeText(request.userName);
}

}  // namespace

std::optional<std::string> Dialer::Refusal(const DialForm& form) const {
    if (form.useExisting) {
        if (CharacterCount(form.entryName) > kMaxNameChars) {
            return TooLong(Russian() ? "Соединение" : "Entry", kMaxNameChars, Russian());
        }
        return std::nullopt;
    }
    // With no entry there is nothing else to dial (the service would refuse it with 87).
    if (form.phoneNumber.empty()) {
        return std::string("Поле \"Телефон\" не заполнено. Номер не набран.");
    }
    // With pulse dialing the request also holds the "P" before the number.
    const std::size_t phoneLimit = kMaxNumberChars - (form.pulse ? 1 : 0);
    const bool russian = Russian();
    const struct {
        std::string_view field;
        const std::string& text;
        std::size_t limit;
    } checks[] = {
        {russian ? "Телефон" : "Phone", form.phoneNumber, phoneLimit},
        {"CallBack", form.callbackNumber, kMaxNumberChars},
        {russian ? "Имя" : "Name", form.userName, kMaxNameChars},
        {russian ? "Пароль" : "Password", form.password, kMaxNameChars},
    };
    for (const auto& check : checks) {
        if (CharacterCount(check.text) > check.limit) {
            return TooLong(check.field, check.limit, russian);
        }
    }
    return std::nullopt;
}

void Dialer::Button3Click() {
    // A "Dial", command 13 or redial that arrives while the queue is pumped before a dial, or
    // during the release wait, would start a second dial whose handle the first one overwrites.
    if (Starting()) {
        return;
    }
    redialPending_ = false;
    attempt_ = 0;
    failureText_.clear();
    StartAttempt();
}

void Dialer::StartAttempt() {
    DialForm form = ports_.controls.ReadForm();
    // Nothing to dial: no platform call at all, not even the hang-up; the user is told.
    if (form.useExisting && form.entryName.empty()) {
        WipeForm(form);
        ports_.status.SetStatusText(kNothingToDial[Language(Russian())]);
        return;
    }
    if (const auto refusal = Refusal(form)) {
        WipeForm(form);
        ports_.boxes.ShowError(kInputErrorTitle[Language(Russian())], *refusal);
        return;
    }
    const bool replaced = HangUpHeld();
    ports_.current.dialing = 0;  // hung up, or a handle the service no longer knows
    // Filled in place and wiped where it lies: a moved short text leaves its bytes behind.
    DialParams& request = pending_.emplace();
    if (form.useExisting) {
        request.entryName = form.entryName;
        // What is stored for the entry; a failure leaves the request as it is.
        ports_.service.GetEntryDialParams(request);
    } else {
        request.phoneNumber = (form.pulse ? "P" : "") + form.phoneNumber;
        request.callbackNumber = form.callbackNumber;
        request.userName = form.userName;
        request.password = form.password;
    }
    WipeForm(form);
    ++attempt_;
    phase_ = Phase::Releasing;
    releaseStartedMs_ = ports_.timer.Milliseconds();
    if (LinesReleased()) {
        DialNow();
        return;
    }
    if (replaced || failureText_.empty()) {
        ports_.status.SetStatusText(
            Text("Ожидание освобождения линии...", "Waiting for the line to be released..."));
    } else {
        // A redial: the failed attempt's text stays beside what the dialer waits for.
        const std::string next = std::to_string(attempt_);
        ports_.status.SetStatusText(
            failureText_ + " " +
            Text("Ожидание освобождения линии перед попыткой " + next + "...",
                 "Waiting for the line to be released before attempt " + next + "..."));
    }
    ports_.timer.StartReleaseTimer(kReleaseStepMs);
}

void Dialer::ReleaseCheckDue() {
    if (phase_ != Phase::Releasing) {
        ports_.timer.StopReleaseTimer();
        return;
    }
    const bool released = LinesReleased();
    if (!released && ports_.timer.Milliseconds() - releaseStartedMs_ < kReleaseLimitMs) {
        return;
    }
    ports_.timer.StopReleaseTimer();
    // A service that never answers 6 for a handle would make every later dial wait as long.
    ports_.current.hungUp.clear();
    DialNow();
}

bool Dialer::LinesReleased() {
    std::vector<ConnectionHandle>& hungUp = ports_.current.hungUp;
    std::erase_if(hungUp, [this](ConnectionHandle handle) {
        std::uint32_t state = 0;
        return ports_.service.GetConnectStatus(handle, state) == kRasInvalidHandle;
    });
    return hungUp.empty();
}

void Dialer::DialNow() {
    phase_ = Phase::Starting;
    cancelled_ = false;
    ports_.queue.ProcessPendingMessages();
    if (cancelled_ || phase_ != Phase::Starting || !pending_) {
        DropPendingDial();
        return;
    }
    ports_.current.handle = 0;
    const unsigned dialNumber = ++dialNumber_;
    ConnectionHandle handle = 0;
    const RasResult result = ports_.service.Dial(
        *pending_,
        [this, dialNumber](const DialProgress& progress) { ProgressArrived(dialNumber, progress); },
        handle);
    WipeRequest(*pending_);
    pending_.reset();
    if (result != kRasSuccess) {
        phase_ = Phase::Idle;
        // A dial the service refused may still have given a handle, which it wants hung up.
        if (handle != 0 && ports_.service.HangUp(handle) == kRasSuccess) {
            ports_.current.NoteHungUp(handle);
        }
        ports_.status.SetStatusText(
            NumberedText(ServiceErrorText(ports_.service, result, kDialerErrorTextChars)));
        return;
    }
    ports_.current.handle = handle;
    ports_.current.dialing = handle;
    phase_ = Phase::Dialing;
}

void Dialer::DropPendingDial() {
    if (pending_) {
        WipeRequest(*pending_);
        pending_.reset();
    }
    ports_.timer.StopReleaseTimer();
    phase_ = Phase::Idle;
}

bool Dialer::HangUpHeld() {
    bool hungUp = false;
    const ConnectionHandle held[] = {ports_.current.handle, ports_.current.dialing};
    for (const ConnectionHandle handle : held) {
        if (handle != 0 && !ports_.current.WasHungUp(handle) &&
            ports_.service.HangUp(handle) == kRasSuccess) {
            ports_.current.NoteHungUp(handle);
            hungUp = true;
        }
    }
    if (hungUp) {
        ports_.current.dialing = 0;
        if (phase_ == Phase::Dialing) {
            phase_ = Phase::Idle;
        }
    }
    return hungUp;
}

void Dialer::Button2Click() {
    // Pressing "HangUp" always ends a redial cycle, also between two attempts.
    redialPending_ = false;
    bool stopped = false;
    if (phase_ == Phase::Releasing) {
        DropPendingDial();
        stopped = true;
    } else if (phase_ == Phase::Starting) {
        cancelled_ = true;  // the dial about to start, once the queue has been pumped
        stopped = true;
    }
    if (HangUpHeld()) {
        stopped = true;
    }
    if (stopped) {
        ports_.status.SetStatusText(kHungUpText);
    }
}

void Dialer::HangUpByRule() {
    if (phase_ != Phase::Idle) {
        return;
    }
    if (HangUpHeld()) {
        ports_.status.SetStatusText(
            Text("Соединение разорвано правилом событий", "An event rule ended the connection"));
    }
}

void Dialer::EndOfRun() {
    redialPending_ = false;
    if (phase_ == Phase::Releasing || phase_ == Phase::Starting) {
        cancelled_ = true;
        DropPendingDial();
    }
    if (phase_ == Phase::Dialing) {
        ReleaseFailedDial();
    }
}

std::string Dialer::DialStateText(std::uint32_t state, RasResult error) {
    if (error == kRasSuccess) {
        return std::string(DialStateName(state));
    }
    // The redial runs from the queue, after this text is shown: a failure that the service
    // reports at once never recurses, and the window stays responsive between attempts.
    if (ports_.controls.RedialOn() && RedialCures(error) && !redialPending_) {
        redialPending_ = true;
        ports_.queue.PostRedial();
    }
    return NumberedText(ServiceErrorText(ports_.service, error, kDialerErrorTextChars));
}

void Dialer::RedialDue() {
    if (!redialPending_ || Starting()) {
        return;
    }
    redialPending_ = false;
    if (ports_.controls.RedialOn()) {
        StartAttempt();
    }
}

void Dialer::ProgressArrived(unsigned dialNumber, const DialProgress& progress) {
    // Steps of a dial that was hung up or replaced may still be in the queue.
    if (dialNumber != dialNumber_ || phase_ != Phase::Dialing) {
        return;
    }
    const std::string text = DialStateText(progress.state, progress.error);
    if (progress.error != kRasSuccess) {
        failureText_ = text;
        ReleaseFailedDial();
    } else if (progress.state == kStateConnected) {
        // The line is the monitor's now; the next "Dial" hangs it up as the current one.
        phase_ = Phase::Idle;
        ports_.current.dialing = 0;
        attempt_ = 0;
        failureText_.clear();
    } else if (progress.state == kStateDisconnected) {
        ReleaseFailedDial();
    }
    ports_.status.SetStatusText(text);
}

// A dial that ended without a line keeps its handle until it is hung up; that is done silently,
// so the failure's text stays on screen.
void Dialer::ReleaseFailedDial() {
    const ConnectionHandle handle = ports_.current.dialing;
    ports_.current.dialing = 0;
    phase_ = Phase::Idle;
    if (handle != 0 && ports_.service.HangUp(handle) == kRasSuccess) {
        ports_.current.NoteHungUp(handle);
    }
}

std::string Dialer::Text(std::string_view russian, std::string_view english) const {
    return std::string(ports_.language.IsRussian() ? russian : english);
}

// In a redial cycle the failure says which attempt it ended.
std::string Dialer::NumberedText(const std::string& text) const {
    if (attempt_ <= 1 && !ports_.controls.RedialOn()) {
        return text;
    }
    return Text("Попытка ", "Attempt ") + std::to_string(std::max(attempt_, 1)) + ": " + text;
}

}  // namespace orv
