#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/language_files.h"
#include "base/language_code.h"

namespace orv {
namespace {

class MemoryLanguageFile final : public LanguageFile {
  public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    bool writable = true;
    int writes = 0;

    std::string Text(std::string_view section, std::string_view key,
                     std::string_view current) const override {
        const auto found = values.find({std::string(section), std::string(key)});
        return found == values.end() ? std::string(current) : found->second;
    }
    bool Has(std::string_view section, std::string_view key) const override {
        return values.contains({std::string(section), std::string(key)});
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        ++writes;
        if (writable) {
            values[{std::string(section), std::string(key)}] = value;
        }
        return writable;
    }
};

class FakeComponent final : public TranslatableComponent {
  public:
    FakeComponent(std::string id, TextRole role, std::vector<std::string> texts)
        : id_(std::move(id)), role_(role), texts_(std::move(texts)) {}
    std::string_view Identifier() const override { return id_; }
    TextRole Role() const override { return role_; }
    std::string Caption() const override { return texts_.at(0); }
    void SetCaption(std::string_view text) override { texts_.at(0) = text; }
    std::size_t TextCount() const override { return texts_.size(); }
    std::string TextAt(std::size_t index) const override { return texts_.at(index); }
    void SetTextAt(std::size_t index, std::string_view text) override { texts_.at(index) = text; }

  private:
    std::string id_;
    TextRole role_;
    std::vector<std::string> texts_;
};

class FakeWindow final : public TranslatableWindow {
  public:
    FakeWindow(std::string id, std::string caption) : id_(std::move(id)), caption_(caption) {}
    FakeComponent& Add(std::string id, TextRole role, std::vector<std::string> texts) {
        components_.push_back(
            std::make_unique<FakeComponent>(std::move(id), role, std::move(texts)));
        return *components_.back();
    }
    std::string_view Identifier() const override { return id_; }
    std::string Caption() const override { return caption_; }
    std::size_t ComponentCount() const override { return components_.size(); }
    TranslatableComponent& ComponentAt(std::size_t index) override {
        return *components_.at(index);
    }

  private:
    std::string id_;
    std::string caption_;
    std::vector<std::unique_ptr<FakeComponent>> components_;
};

TranslationResult Apply(MemoryLanguageFile& file, std::vector<TranslatableWindow*> windows) {
    return ApplyLanguageFile(file, windows, [] { return true; });
}

TEST(AppLanguageFiles, EveryKindLooksUpItsTextsByIdentifierAndIndex) {
    FakeWindow form1("Form1", "Orvane");
    auto& label = form1.Add("Label17", TextRole::Caption, {"Название"});
    auto& columns = form1.Add("ListView1", TextRole::Columns,
                              {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Средняя"});
    auto& items = form1.Add("ComboBox4", TextRole::Items, {"Нормальный размер", "Свернутое окно"});
    auto& field = form1.Add("Edit1", TextRole::None, {"C:\\ding.wav"});
    MemoryLanguageFile file;
    file.values = {{{"Form1", "Label17"}, "Name"},
                   {{"Form1", "ListView110"}, "Average speed (KBps)"},
                   {{"Form1", "ComboBox41"}, "Minimised"},
                   {{"Form1", "Edit1"}, "never"},
                   {{"Form2", "Label17"}, "other window"}};
    EXPECT_TRUE(Apply(file, {&form1}).captionsWritten);
    EXPECT_EQ(label.Caption(), "Name");
    EXPECT_EQ(columns.TextAt(10), "Average speed (KBps)");
    EXPECT_EQ(columns.TextAt(0), "0");
    EXPECT_EQ(items.TextAt(0), "Нормальный размер");
    EXPECT_EQ(items.TextAt(1), "Minimised");
    EXPECT_EQ(field.Caption(), "C:\\ding.wav");
    // The window's caption is written under its own identifier.
    EXPECT_EQ(file.values.at({"Form1", "Form1"}), "Orvane");
}

TEST(AppLanguageFiles, AFileLackingKeysKeepsThePreviousLanguageAndSeparatorsStay) {
    FakeWindow form2("Form2", "ORVMainWindow");
    auto& entry = form2.Add("Exit1", TextRole::MenuEntry, {"Выход"});
    auto& separator = form2.Add("N1", TextRole::MenuEntry, {"-"});
    auto& other = form2.Add("Show1", TextRole::MenuEntry, {"About"});
    MemoryLanguageFile english;
    english.values = {{{"Form2", "Exit1"}, "Exit"}, {{"Form2", "N1"}, "oops"}};
    Apply(english, {&form2});
    MemoryLanguageFile partial;
    partial.values = {{{"Form2", "Show1"}, "О программе"}};
    Apply(partial, {&form2});
    EXPECT_EQ(entry.Caption(), "Exit");
    EXPECT_EQ(separator.Caption(), "-");
    EXPECT_EQ(other.Caption(), "О программе");
}

TEST(AppLanguageFiles, AnUnwritableFileIsAppliedAndEveryWindowWalkedUnlessStopped) {
    FakeWindow form2("Form2", "ORVMainWindow");
    FakeWindow form1("Form1", "Orvane");
    auto& first = form2.Add("Exit1", TextRole::MenuEntry, {"Выход"});
    auto& second = form1.Add("Label5", TextRole::Caption, {"Скорость"});
    MemoryLanguageFile file;
    file.writable = false;
    file.values = {{{"Form2", "Exit1"}, "Exit"}, {{"Form1", "Label5"}, "Speed"}};
    const TranslationResult result = Apply(file, {&form2, &form1});
    EXPECT_FALSE(result.captionsWritten);
    EXPECT_EQ(first.Caption(), "Exit");
    EXPECT_EQ(second.Caption(), "Speed");
    EXPECT_EQ(UnableToWriteText("C:\\p\\Languages\\Eng.lang"),
              "Unable to write to C:\\p\\Languages\\Eng.lang");

    // A file that holds every window's caption is never written, so a read-only installed file
    // applies quietly.
    file.values[{"Form2", "Form2"}] = "ORVMainWindow";
    file.values[{"Form1", "Form1"}] = "Orvane";
    file.writes = 0;
    EXPECT_TRUE(Apply(file, {&form2, &form1}).captionsWritten);
    EXPECT_EQ(file.writes, 0);

    int pumps = 0;
    second.SetCaption("Скорость");
    std::vector<TranslatableWindow*> windows{&form2, &form1};
    EXPECT_FALSE(ApplyLanguageFile(file, windows, [&] { return ++pumps < 2; }).completed);
    EXPECT_EQ(second.Caption(), "Скорость");
}

TEST(AppLanguageFiles, TheListTakesThreeCharactersAndSelectsWithoutRegardToCase) {
    const std::vector<std::string> names{"Rus.lang", "English.lang", "Fr.lang", "Укр.lang"};
    const LanguageList list = BuildLanguageList(names, "eng");
    ASSERT_EQ(list.entries.size(), 4u);
    EXPECT_EQ(list.entries[0].code, "Rus");
    EXPECT_EQ(list.entries[0].picture, LanguagePicture::Russian);
    EXPECT_EQ(list.entries[1].code, "Eng");
    EXPECT_EQ(list.entries[1].picture, LanguagePicture::English);
    EXPECT_EQ(list.entries[2].code, "Fr.");
    EXPECT_EQ(list.entries[2].picture, LanguagePicture::None);
    EXPECT_EQ(list.entries[3].code, "Укр");
    EXPECT_EQ(list.selected, 1u);
    EXPECT_EQ(BuildLanguageList(names, "RUS").selected, 0u);
    EXPECT_FALSE(BuildLanguageList(names, "Deu").selected.has_value());
    EXPECT_EQ(LanguageFilePath("C:\\p\\", "Eng"), "C:\\p\\Languages\\Eng.lang");

    EXPECT_TRUE(LanguageCode("rus").IsRussian());
    EXPECT_TRUE(LanguageCode("RuS").IsRussian());
    EXPECT_FALSE(LanguageCode("").IsRussian());
    EXPECT_FALSE(LanguageCode("Rusk").IsRussian());
    EXPECT_FALSE(LanguageCode().IsRussian());
}

}  // namespace
}  // namespace orv
