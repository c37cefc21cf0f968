// The shipped language files against the layout tables and the pop-up menu: Rus.lang holds the
// designed captions (the menu's page entries named like their pages), Eng.lang an English text
// for every one of them, both as UTF-16 made from their UTF-8 sources.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "app/language_files.h"
#include "app/page_layout.h"
#include "launcher/launch_entry.h"
#include "monitor/allowance_controls.h"
#include "monitor/popup_menu.h"

namespace orv {
namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// UTF-16 LE after its byte-order mark, as UTF-8 (the files hold no characters beyond the BMP).
std::string Utf16ToUtf8(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned unit =
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit < 0x80) {
            text += static_cast<char>(unit);
        } else if (unit < 0x800) {
            text += static_cast<char>(0xC0 | (unit >> 6));
            text += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (unit >> 12));
            text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return text;
}

Sections Parse(const std::string& text) {
    Sections sections;
    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end;
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        if (line.starts_with('[')) {
            section = line.substr(1, line.find(']') - 1);
        } else if (const auto equals = line.find('=');
                   equals != std::string::npos && !line.starts_with(';')) {
            std::string value = line.substr(equals + 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            sections[section][line.substr(0, equals)] = value;
        }
    }
    return sections;
}

Sections Shipped(const std::string& code) {
    const std::string bytes = ReadBytes(ORVANE_SOURCE_DIR "/Languages/" + code + ".lang");
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE")) << code;
    std::string source = ReadBytes(ORVANE_SOURCE_DIR "/tools/languages/" + code + ".lang.txt");
    std::string crlf;
    for (char c : source) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(Utf16ToUtf8(bytes), crlf) << code << ".lang is not made from its source";
    return Parse(crlf);
}

// Labels the program writes itself: the figures of the tick and the totals, and the version.
bool WrittenByTheProgram(std::string_view id) {
    for (int field = 0; field <= static_cast<int>(DisplayField::CompressionIn); ++field) {
        if (DisplayFieldControl(static_cast<DisplayField>(field)) == id) {
            return true;
        }
    }
    return id == ids::kTotalOnlineTime || id == ids::kTotalReceived || id == ids::kTotalSent ||
           id == "Label27" || id == ids::kAllowanceStatus || id == ids::kStatisticsAllowance;
}

// Every designed text of the tables and the menu with the key that translates it.
std::map<std::pair<std::string, std::string>, std::string> DesignedTexts() {
    std::map<std::pair<std::string, std::string>, std::string> texts;
    for (const PageSpec& page : MainWindowPages()) {
        texts[{"Form1", std::string(page.id)}] = page.caption;
        for (const ControlSpec& control : page.controls) {
            const ControlKind kind = control.kind;
            if ((kind == ControlKind::Label || kind == ControlKind::GroupBox ||
                 kind == ControlKind::CheckBox || kind == ControlKind::RadioButton ||
                 kind == ControlKind::Button) &&
                !WrittenByTheProgram(control.id)) {
                texts[{"Form1", std::string(control.id)}] = control.caption;
            }
            if (kind == ControlKind::ListView || kind == ControlKind::VirtualList ||
                kind == ControlKind::CheckList || kind == ControlKind::ComboBox) {
                for (std::size_t i = 0; i < control.items.size(); ++i) {
                    texts[{"Form1", TextKey(control.id, i)}] = control.items[i].text;
                }
            }
        }
    }
    for (const PopupMenuEntry& entry : PopupMenuEntries()) {
        if (entry.command != kSeparator) {
            texts[{"Form2", std::string(entry.id)}] = entry.text;
        }
    }
    return texts;
}

// The page a pop-up menu entry shows, or nothing for "Выход".
const PageSpec* PageOf(const PopupMenuEntry& entry) {
    const int page = entry.command - 3;
    return page >= 0 && page < 8 ? &MainWindowPages()[static_cast<std::size_t>(page)] : nullptr;
}

TEST(AppShippedLanguages, RusHoldsTheDesignAndEngAnEnglishTextForEveryCaption) {
    const Sections rus = Shipped("Rus");
    const Sections eng = Shipped("Eng");
    for (const auto& [key, designed] : DesignedTexts()) {
        const auto& [section, id] = key;
        ASSERT_TRUE(rus.at(section).contains(id)) << section << " " << id;
        if (section != "Form2" || id == "Exit1" || id == "Label1") {
            EXPECT_EQ(rus.at(section).at(id), designed) << section << " " << id;
        }
        ASSERT_TRUE(eng.at(section).contains(id)) << section << " " << id;
    }
    // A menu entry that shows a page is named like that page's tab, in both files.
    for (const PopupMenuEntry& entry : PopupMenuEntries()) {
        if (const PageSpec* page = PageOf(entry)) {
            for (const Sections* file : {&rus, &eng}) {
                EXPECT_EQ(file->at("Form2").at(std::string(entry.id)),
                          file->at("Form1").at(std::string(page->id)))
                    << entry.id;
            }
        }
    }
    // Every key of one file is in the other, so that switching back restores every text, and
    // no English text is left in Cyrillic.
    for (const auto& [section, keys] : eng) {
        for (const auto& [id, text] : keys) {
            EXPECT_TRUE(rus.at(section).contains(id)) << section << " " << id;
            EXPECT_EQ(text.find("\xD0"), std::string::npos) << id << "=" << text;
            EXPECT_EQ(text.find("\xD1"), std::string::npos) << id << "=" << text;
        }
    }
    for (const auto& [section, keys] : rus) {
        EXPECT_EQ(keys.size(), eng.at(section).size()) << section;
    }
}

// The launch list stores window modes and start moments as the texts the boxes show, and the
// launcher knows their English texts: the English items must be those.
TEST(AppShippedLanguages, TheEnglishLaunchChoicesAreTheOnesTheLauncherKnows) {
    const Sections eng = Shipped("Eng");
    for (std::size_t mode = 0; mode < WindowModeTexts().size(); ++mode) {
        EXPECT_EQ(ShowCommandOf(eng.at("Form1").at(TextKey(ids::kWindowMode, mode))),
                  ShowCommandOf(WindowModeTexts()[mode]))
            << mode;
    }
    for (StartMoment moment : {StartMoment::WithMonitor, StartMoment::AfterDial}) {
        EXPECT_TRUE(NamesMoment(
            eng.at("Form1").at(TextKey(ids::kStartMoment, static_cast<std::size_t>(moment))),
            moment));
    }
}

}  // namespace
}  // namespace orv
