// The entry list, the device list and the New, Edit and Delete actions over a scripted
// phonebook.

#include "dialer/phonebook.h"

#include <gtest/gtest.h>

#include "dialer_fakes.h"

namespace orv {
namespace {

using test::DialerLog;

NativeWindow const kApplicationWindow = reinterpret_cast<NativeWindow>(0x100);
NativeWindow const kMainWindow = reinterpret_cast<NativeWindow>(0x200);

class PhonebookTest : public ::testing::Test {
  protected:
    PhonebookTest() { service.entries = {"Home ISP", "Office", "Backup"}; }

    DialerLog log;
    test::FakeDialService service{log};
    test::FakeDialPage page{log};
    Phonebook phonebook{{service, page, page, page, page, kApplicationWindow, kMainWindow}};
};

TEST_F(PhonebookTest, EntriesAreListedWithTheFirstSelectedOrTheErrorShown) {
    phonebook.LoadPhonebookEntries();
    EXPECT_EQ(page.items, service.entries);
    EXPECT_EQ(page.Text(), "Home ISP");

    service.entries.clear();
    phonebook.LoadPhonebookEntries();
    EXPECT_TRUE(page.items.empty());
    EXPECT_EQ(page.Text(), "");
    EXPECT_EQ(page.statusText, "old text");

    service.entries = {"Home ISP"};
    service.entriesResult = 610;
    phonebook.LoadPhonebookEntries();
    EXPECT_TRUE(page.items.empty());
    EXPECT_EQ(page.statusText, test::FakeDialService::ErrorText(610));
    EXPECT_EQ(service.errorBufferSizes, std::vector<std::size_t>{kMonitorErrorTextChars});
}

TEST_F(PhonebookTest, EditReloadsAndKeepsTheEntrySelectedUnderItsCurrentName) {
    phonebook.LoadPhonebookEntries();
    page.Select(1);
    service.renames = {{"Office", "Head office"}};
    phonebook.BitBtn3Click();
    EXPECT_EQ(log, DialerLog{"edit Office"});
    EXPECT_EQ(service.dialogOwners, std::vector<NativeWindow>{kMainWindow});
    EXPECT_EQ(page.items, (std::vector<std::string>{"Home ISP", "Head office", "Backup"}));
    EXPECT_EQ(page.Text(), "Head office");

    page.Select(2);
    phonebook.BitBtn3Click();  // not renamed
    EXPECT_EQ(page.Text(), "Backup");
}

TEST_F(PhonebookTest, NewReloadsWithTheNewEntrySelected) {
    phonebook.LoadPhonebookEntries();
    page.Select(2);
    phonebook.BitBtn5Click();
    EXPECT_EQ(service.dialogOwners, std::vector<NativeWindow>{kApplicationWindow});
    EXPECT_EQ(page.items.back(), "Created");
    EXPECT_EQ(page.Text(), "Created");
    EXPECT_EQ(page.statusText, "old text");
}

TEST_F(PhonebookTest, DeleteAsksAndOnlyYesAndSuccessChangeTheListAndAFailureIsShown) {
    phonebook.LoadPhonebookEntries();
    page.Select(1);
    page.answerYes = false;
    phonebook.BitBtn4Click();
    EXPECT_EQ(page.questions, std::vector<std::string>{"Do you want to delete connection: Office"});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(page.items.size(), 3u);

    page.answerYes = true;
    service.deleteResult = kRasCannotFindPhonebookEntry;
    phonebook.BitBtn4Click();
    EXPECT_EQ(page.items.size(), 3u);
    EXPECT_EQ(page.Text(), "Office");
    EXPECT_EQ(page.statusText, test::FakeDialService::ErrorText(kRasCannotFindPhonebookEntry));

    service.deleteResult = kRasSuccess;
    phonebook.BitBtn4Click();
    EXPECT_EQ(log, (DialerLog{"delete Office",
                              "status: " + test::FakeDialService::ErrorText(
                                               kRasCannotFindPhonebookEntry),
                              "delete Office"}));
    EXPECT_EQ(page.items, (std::vector<std::string>{"Home ISP", "Backup"}));
    EXPECT_EQ(page.Text(), "Home ISP");

    // A name of 200 characters is cut in the question (the box stays on the screen), never in
    // the request.
    std::string longName;
    for (int i = 0; i < 100; ++i) {
        longName += "Ж";  // two bytes each
    }
    longName += std::string(100, 'x');
    service.entries = {longName};
    phonebook.LoadPhonebookEntries();
    page.questions.clear();
    phonebook.BitBtn4Click();
    EXPECT_EQ(page.questions.back(), "Do you want to delete connection: " +
                                         longName.substr(0, 57 * 2) + "...");
    EXPECT_EQ(log.back(), "delete " + longName);
}

TEST_F(PhonebookTest, DevicesAreAddedInOrderOrNotAtAll) {
    service.devices = {{"Standard Modem", "modem"}, {"ISDN Card", "isdn"}};
    service.devicesResult = 608;
    phonebook.LoadDevices();
    EXPECT_TRUE(page.deviceRows.empty());
    service.devicesResult = kRasSuccess;
    phonebook.LoadDevices();
    ASSERT_EQ(page.deviceRows.size(), 2u);
    EXPECT_EQ(page.deviceRows[1].name, "ISDN Card");
    EXPECT_EQ(page.deviceRows[1].type, "isdn");
}

}  // namespace
}  // namespace orv
