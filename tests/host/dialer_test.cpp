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
    Dialer dialer{{service, current, page, page, page, page}};
};

TEST_F(DialerTest, ExistingEntryHangsUpFirstThenDialsItsStoredParameters) {
    current.handle = 0x10;
    dialer.Button3Click();
    EXPECT_EQ(log, (DialerLog{"hang up", "status: Прервано пользователем...", "dial params", "pump",
                              "dial"}));
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
    current.handle = 0x10;
    page.form.entryName.clear();
    dialer.Button3Click();
    EXPECT_EQ(log, DialerLog{"status: Не выбрано соединение для набора"});
    EXPECT_EQ(current.handle, 0x10u);
}

TEST_F(DialerTest, DialRefusedAtOnceShowsItsTextAndNeverRedials) {
    page.redialOn = true;
    service.dialResult = kRasCannotFindPhonebookEntry;
    dialer.Button3Click();
    EXPECT_EQ(page.statusText, FakeDialService::ErrorText(623));
    EXPECT_EQ(service.errorBufferSizes, std::vector<std::size_t>{kDialerErrorTextChars});
    EXPECT_EQ(page.redialsQueued, 0);

    // A text too long for the dialer's buffer is read again into the larger one.
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
        {0x2000, "Connected"},
        {0x2001, "Disconnected"},
        {0x2002, ""},
    };
    for (const auto& [state, text] : steps) {
        Report(state, 0);
        EXPECT_EQ(page.statusText, text) << state;
    }
}

TEST_F(DialerTest, BusyLineRedialsFromTheQueueUntilConnected) {
    page.redialOn = true;
    dialer.Button3Click();
    for (int failure = 0; failure < 2; ++failure) {
        Report(2, kRasLineBusy);
        // The attempt is queued, not started inside the progress handler.
        EXPECT_EQ(service.dials.size(), static_cast<std::size_t>(failure + 1));
        EXPECT_EQ(page.statusText, FakeDialService::ErrorText(kRasLineBusy));
        EXPECT_EQ(page.redialsQueued, failure + 1);
        dialer.RedialDue();
    }
    Report(0x2000, 0);
    EXPECT_EQ(service.dials.size(), 3u);
    EXPECT_EQ(page.statusText, "Connected");
    EXPECT_FALSE(dialer.RedialPending());
}

TEST_F(DialerTest, NoRedialAfterAHangUpOrAnErrorNoAttemptCures) {
    page.redialOn = true;
    for (const RasResult error :
         {kRasUserDisconnection, kRasUserHungUp, kRasCannotFindPhonebookEntry, kRasInvalidParameter,
          kRasInvalidSize, kRasAuthenticationFailure}) {
        dialer.Button3Click();
        Report(2, error);
        EXPECT_EQ(page.statusText, FakeDialService::ErrorText(error));
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

    Report(2, kRasNoAnswer);  // the switch off when it fails: nothing queued
    EXPECT_EQ(page.redialsQueued, 2);
}

TEST_F(DialerTest, InputTooLongForTheRequestIsRefusedWithoutDialing) {
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

    // At the limit it is dialed; Cyrillic letters count as one character each.
    TypedNumber(false);
    page.form.phoneNumber = std::string(128, '5');
    page.form.userName.clear();
    for (int letter = 0; letter < 256; ++letter) {
        page.form.userName += "ж";
    }
    dialer.Button3Click();
    EXPECT_EQ(service.dials.size(), 1u);
    EXPECT_EQ(page.errors.size(), 3u);
}

}  // namespace
}  // namespace orv
