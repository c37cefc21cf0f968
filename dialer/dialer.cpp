#include "dialer/dialer.h"

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
    redialPending_ = false;
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
    Button2Click();
    ports_.current.handle = 0;
    DialParams request;
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
    ports_.queue.ProcessPendingMessages();
    const RasResult result = ports_.service.Dial(
        request, [this](const DialProgress& progress) { ProgressArrived(progress); },
        ports_.current.handle);
    WipeRequest(request);
    if (result != kRasSuccess) {
        ports_.status.SetStatusText(
            ServiceErrorText(ports_.service, result, kDialerErrorTextChars));
    }
}

void Dialer::Button2Click() {
    // Pressing "HangUp" always ends a redial cycle, also between two attempts.
    redialPending_ = false;
    if (ports_.service.HangUp(ports_.current.handle) != kRasSuccess) {
        return;
    }
    ports_.status.SetStatusText(kHungUpText);
    ports_.current.handle = 0;
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
    return ServiceErrorText(ports_.service, error, kDialerErrorTextChars);
}

void Dialer::RedialDue() {
    if (!redialPending_) {
        return;
    }
    redialPending_ = false;
    if (ports_.controls.RedialOn()) {
        Button3Click();
    }
}

void Dialer::ProgressArrived(const DialProgress& progress) {
    ports_.status.SetStatusText(DialStateText(progress.state, progress.error));
}

}  // namespace orv
