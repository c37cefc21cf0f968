// The dial and hang-up actions, the progress texts and redial, over a scripted service.

#include "dialer/dialer.h"

#include <gtest/gtest.h>

#include "dialer/dial_state_text.h"
#include "dialer_fakes.h"

namespace orv {
namespace {

using test::DialerLog;
using test::FakeDialService;

class DialerTest : public ::testing::Test {
  protected:
    DialerTest() {
        page.form.entryName = "Home ISP";
        service.stored["Home ISP"] = {"alice", "open sesame"};
    }

    void TypedNumber(bool pulse) {
        page.form = {.useExisting = false,
                     .entryName = "",
                     .phoneNumber = "5550123",
                     .callbackNumber = "5559876",
                     .userName = "bob",
                     .password = "secret",
                     .pulse = pulse};
    }
    // The service reports a step of the last dial.
    void Report(std::uint32_t state, RasResult error) { service.progress({state, error}); }

    DialerLog log;
    FakeDialService service{log};
    test::FakeDialPage page{log};
    CurrentConnection current;
    LanguageCode language;  // English
    Dialer dialer{{service, current, page, page, page, page, page, language}};
};

TEST_F(DialerTest, ExistingEntryHangsUpFirstThenDialsItsStoredParameters) {
    current.handle = 0x10;
    dialer.Button3Click();
    // Released at the first look: the dial follows at once, and no hang-up text is shown.
    EXPECT_EQ(log, (DialerLog{"hang up", "dial params", "status", "pump", "dial"}));
    EXPECT_EQ(service.hungUp, std::vector<ConnectionHandle>{0x10});
    ASSERT_EQ(service.dials.size(), 1u);
    const DialParams& dialed = service.dials[0];
    EXPECT_EQ(dialed.entryName, "Home ISP");
    EXPECT_EQ(dialed.phoneNumber, "");
    EXPECT_EQ(dialed.userName, "alice");
    EXPECT_EQ(dialed.password, "open sesame");
    EXPECT_EQ(current.handle, 0x42u);
}

TEST_F(DialerTest, TypedNumberGetsPForPulseAndStaysAsTypedForTone) {
    TypedNumber(true);
    dialer.Button3Click();  // no connection known: the hang-up fails silently
    EXPECT_EQ(page.statusText, "old text");
    TypedNumber(false);
    dialer.Button3Click();
    ASSERT_EQ(service.dials.size(), 2u);
    EXPECT_EQ(service.dials[0].phoneNumber, "P5550123");
    EXPECT_EQ(service.dials[1].phoneNumber, "5550123");
    for (const DialParams& dialed : service.dials) {
        EXPECT_EQ(dialed.entryName, "");
        EXPECT_EQ(dialed.callbackNumber, "5559876");
        EXPECT_EQ(dialed.userName, "bob");
        EXPECT_EQ(dialed.password, "secret");
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "dial params"), 0);
}

TEST_F(DialerTest, EmptyEntryListCallsNothingAndSaysSo) {
    language.Set("Rus");
    current.handle = 0x10;
    page.form.entryName.clear();
    dialer.Button3Click();
    EXPECT_EQ(log, DialerLog{"status: Не выбрано соединение для набора"});
    EXPECT_EQ(current.handle, 0x10u);
}

TEST_F(DialerTest, DialRefusedAtOnceShowsItsTextHangsUpItsHandleAndNeverRedials) {
    page.redialOn = true;
    service.dialResult = kRasCannotFindPhonebookEntry;
    dialer.Button3Click();
    EXPECT_EQ(page.statusText, "Attempt 1: " + FakeDialService::ErrorText(623));
    EXPECT_EQ(service.errorBufferSizes, std::vector<std::size_t>{kDialerErrorTextChars});
    EXPECT_EQ(page.redialsQueued, 0);
    EXPECT_EQ(service.hungUp, std::vector<ConnectionHandle>{0x42}) << "the service wants it";
    EXPECT_EQ(current.handle, 0u);

    // A text too long for the dialer's buffer is read again into the larger one.
    page.redialOn = false;
    service.dialResult = kRasSuccess;
    dialer.Button3Click();
    service.longestText = 200;
    Report(2, kRasAuthenticationFailure);
    EXPECT_EQ(page.statusText, FakeDialService::ErrorText(kRasAuthenticationFailure));
    EXPECT_EQ(service.errorBufferSizes.back(), kMonitorErrorTextChars);
}

TEST_F(DialerTest, HangUpShowsItsTextOnlyWhenTheServiceHungUp) {
    current.handle = 0x10;
    service.hangUpResult = kRasInvalidHandle;
    dialer.Button2Click();
    EXPECT_EQ(page.statusText, "old text");
    EXPECT_EQ(current.handle, 0x10u);
    service.hangUpResult = kRasSuccess;
    dialer.Button2Click();
    EXPECT_EQ(page.statusText, "Прервано пользователем...");
    EXPECT_EQ(current.handle, 0u);
}

TEST_F(DialerTest, ProgressShowsEachStateTextAndNothingForUnknownStates) {
    dialer.Button3Click();
    const std::pair<std::uint32_t, const char*> steps[] = {
        {0, "Open Port"},
        {5, "Authenticate"},
        {14, "Authenticated"},
        {21, "Logon Network"},
        {22, ""},
        {0x1000, "Interactive"},
        {0x1003, "Password Expired"},
        {0x1004, ""},
        {0x2002, ""},
        {0x2000, "Connected"},
    };
    for (const auto& [state, text] : steps) {
        Report(state, 0);
        EXPECT_EQ(page.statusText, text) << state;
    }
    EXPECT_EQ(DialStateName(0x2001), "Disconnected");
}

TEST_F(DialerTest, RedialCycleHangsUpEachFailureAndKeepsItsNumberedTextThroughTheWait) {
    page.redialOn = true;
    service.releaseChecks = 1;  // each hung-up line answers once more before it is released
    dialer.Button3Click();
    for (int failure = 1; failure <= 2; ++failure) {
        service.nextHandle = 0x42 + static_cast<ConnectionHandle>(failure);
        Report(2, kRasLineBusy);
        const std::string failed =
            "Attempt " + std::to_string(failure) + ": " + FakeDialService::ErrorText(kRasLineBusy);
        EXPECT_EQ(page.statusText, failed);
        EXPECT_EQ(service.hungUp.back(), 0x42 + static_cast<ConnectionHandle>(failure - 1));
        // The attempt is queued, not started inside the progress handler, and waits for the
        // failed line's release on the timer step.
        EXPECT_EQ(service.dials.size(), static_cast<std::size_t>(failure));
        dialer.RedialDue();
        EXPECT_TRUE(page.timerRunning);
        EXPECT_EQ(page.statusText, failed + " Waiting for the line to be released before attempt " +
                                       std::to_string(failure + 1) + "...");
        dialer.ReleaseCheckDue();
        EXPECT_FALSE(page.timerRunning);
        EXPECT_EQ(service.dials.size(), static_cast<std::size_t>(failure + 1));
    }
    Report(0x2000, 0);
    EXPECT_EQ(page.statusText, "Connected");
    EXPECT_EQ(std::count(log.begin(), log.end(), "status: Прервано пользователем..."), 0);
    EXPECT_EQ(current.handle, 0x44u);
    EXPECT_TRUE(current.hungUp.empty()) << "released lines are forgotten";
}

TEST_F(DialerTest, DialOverALiveLineWaitsForItsReleaseAtMostTenSeconds) {
    service.releaseChecks = 3;
    current.handle = 0x10;
    language.Set("RUS");
    dialer.Button3Click();
    EXPECT_TRUE(service.dials.empty());
    EXPECT_EQ(page.statusText, "Ожидание освобождения линии...");
    dialer.Button3Click();  // a second "Dial" while it waits starts nothing
    dialer.ReleaseCheckDue();
    dialer.ReleaseCheckDue();
    EXPECT_TRUE(service.dials.empty());
    dialer.ReleaseCheckDue();  // the fourth look finds it released
    ASSERT_EQ(service.dials.size(), 1u);
    EXPECT_EQ(current.handle, 0x42u);

    // A service that never lets the line go: the dial goes ahead after ten seconds.
    service.releaseChecks = 1000;
    dialer.Button3Click();
    page.now += Dialer::kReleaseLimitMs - 1;
    dialer.ReleaseCheckDue();
    EXPECT_EQ(service.dials.size(), 1u);
    page.now += 1;
    dialer.ReleaseCheckDue();
    EXPECT_EQ(service.dials.size(), 2u);
    EXPECT_FALSE(page.timerRunning);

    // "HangUp" during the wait: no dial follows.
    dialer.Button3Click();
    dialer.Button2Click();
    EXPECT_EQ(page.statusText, "Прервано пользователем...");
    EXPECT_FALSE(page.timerRunning);
    dialer.ReleaseCheckDue();
    EXPECT_EQ(service.dials.size(), 2u);
}

TEST_F(DialerTest, NothingArrivingWhileTheQueueIsPumpedStartsASecondDial) {
    page.redialOn = true;
    page.duringPump = [this] {
        dialer.Button3Click();  // "Dial" again, command 13
        dialer.RedialDue();
    };
    dialer.Button3Click();
    EXPECT_EQ(service.dials.size(), 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "pump"), 1);

    // "HangUp" pressed while the page repaints: the dial is not started.
    page.duringPump = [this] { dialer.Button2Click(); };
    dialer.Button3Click();
    EXPECT_EQ(service.dials.size(), 1u);
    EXPECT_EQ(page.statusText, "Прервано пользователем...");
    dialer.Button3Click();
    EXPECT_EQ(service.dials.size(), 2u);
}

TEST_F(DialerTest, EveryHandleNobodyWantsIsHungUpSilently) {
    dialer.Button3Click();  // redial off
    Report(2, kRasNoAnswer);
    EXPECT_EQ(service.hungUp, std::vector<ConnectionHandle>{0x42});
    EXPECT_EQ(page.statusText, FakeDialService::ErrorText(kRasNoAnswer));
    EXPECT_EQ(current.handle, 0u);

    // The program ends during a dial: it is hung up; a connected line stays up.
    service.nextHandle = 0x43;
    dialer.Button3Click();
    dialer.EndOfRun();
    EXPECT_EQ(service.hungUp.back(), 0x43u);
    service.nextHandle = 0x44;
    dialer.Button3Click();
    Report(0x2000, 0);
    dialer.EndOfRun();
    EXPECT_EQ(service.hungUp.back(), 0x43u);
    EXPECT_EQ(current.handle, 0x44u);
}

TEST_F(DialerTest, RuleHangUpSaysARuleEndedTheLineAndSparesADialInProgress) {
    dialer.Button3Click();
    dialer.HangUpByRule();  // still dialing
    EXPECT_TRUE(service.hungUp.empty());
    Report(0x2000, 0);
    language.Set("RUS");
    dialer.HangUpByRule();
    EXPECT_EQ(service.hungUp, std::vector<ConnectionHandle>{0x42});
    EXPECT_EQ(page.statusText, "Соединение разорвано правилом событий");
}

TEST_F(DialerTest, NoRedialAfterAHangUpOrAnErrorNoAttemptCures) {
    page.redialOn = true;
    for (const RasResult error :
         {kRasUserDisconnection, kRasUserHungUp, kRasCannotFindPhonebookEntry, kRasInvalidParameter,
          kRasInvalidSize, kRasAuthenticationFailure}) {
        dialer.Button3Click();
        Report(2, error);
        EXPECT_EQ(page.statusText, "Attempt 1: " + FakeDialService::ErrorText(error));
        EXPECT_FALSE(dialer.RedialPending()) << error;
    }
    EXPECT_EQ(page.redialsQueued, 0);
    for (const RasResult error : {kRasLineBusy, kRasNoAnswer, RasResult{679}}) {
        EXPECT_TRUE(RedialCures(error)) << error;
    }
}

TEST_F(DialerTest, QueuedRedialIsCancelledByHangUpOrTheSwitch) {
    page.redialOn = true;
    dialer.Button3Click();
    Report(2, kRasNoAnswer);
    dialer.Button2Click();
    dialer.RedialDue();
    EXPECT_EQ(service.dials.size(), 1u);

    dialer.Button3Click();
    Report(2, kRasNoAnswer);
    page.redialOn = false;
    dialer.RedialDue();
    EXPECT_EQ(service.dials.size(), 2u);

    dialer.Button3Click();
    Report(2, kRasNoAnswer);  // the switch off when it fails: nothing queued
    EXPECT_EQ(page.redialsQueued, 2);
}

TEST_F(DialerTest, InputTooLongForTheRequestIsRefusedWithoutDialing) {
    language.Set("Rus");
    TypedNumber(false);
    page.form.password = std::string(257, 'p');
    dialer.Button3Click();
    TypedNumber(true);
    page.form.phoneNumber = std::string(128, '5');  // with its P it would not fit
    dialer.Button3Click();
    page.form.useExisting = true;
    page.form.entryName = std::string(257, 'e');
    dialer.Button3Click();
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(page.errors.size(), 3u);
    EXPECT_EQ(page.errors[0].first, "Ошибка");
    EXPECT_NE(page.errors[0].second.find("\"Пароль\" длиннее 256"), std::string::npos);
    EXPECT_NE(page.errors[1].second.find("\"Телефон\" длиннее 127"), std::string::npos);
    EXPECT_NE(page.errors[2].second.find("256"), std::string::npos);
    TypedNumber(false);
    page.form.phoneNumber.clear();  // no entry and no number: nothing to dial
    dialer.Button3Click();
    ASSERT_EQ(page.errors.size(), 4u);
    EXPECT_EQ(page.errors[3].first, "Ошибка");
    EXPECT_NE(page.errors[3].second.find("\"Телефон\" не заполнено"), std::string::npos);
    EXPECT_TRUE(log.empty());

    // At the limit it is dialed; Cyrillic letters count as one character each.
    TypedNumber(false);
    page.form.phoneNumber = std::string(128, '5');
    page.form.userName.clear();
    for (int letter = 0; letter < 256; ++letter) {
        page.form.userName += "ж";
    }
    dialer.Button3Click();
    EXPECT_EQ(service.dials.size(), 1u);
    EXPECT_EQ(page.errors.size(), 4u);
}

}  // namespace
}  // namespace orv
