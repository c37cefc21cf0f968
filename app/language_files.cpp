#include "app/language_files.h"

#include "base/language_code.h"

namespace orv {
namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

LanguagePicture PictureOf(std::string_view code) {
    if (LanguageCode::IsRussianCode(code)) {
        return LanguagePicture::Russian;
    }
    if (EqualIgnoringCase(code, "ENG")) {
        return LanguagePicture::English;
    }
    return LanguagePicture::None;
}

void Translate(LanguageFile& file, std::string_view section, TranslatableComponent& component) {
    const std::string_view id = component.Identifier();
    switch (component.Role()) {
        case TextRole::None:
            break;
        case TextRole::MenuEntry:
            if (component.Caption() == "-") {
                break;
            }
            [[fallthrough]];
        case TextRole::Caption: {
            // Only a changed text is put back, so that untranslated controls are left alone.
            const std::string current = component.Caption();
            if (std::string text = file.Text(section, id, current); text != current) {
                component.SetCaption(text);
            }
            break;
        }
        case TextRole::Items:
        case TextRole::Columns:
            for (std::size_t index = 0; index < component.TextCount(); ++index) {
                const std::string current = component.TextAt(index);
                if (std::string text = file.Text(section, TextKey(id, index), current);
                    text != current) {
                    component.SetTextAt(index, text);
                }
            }
            break;
    }
}

}  // namespace

std::string LanguageCodeOf(std::string_view fileName) {
    std::size_t end = 0;
    for (int characters = 0; characters < 3 && end < fileName.size(); ++characters) {
        ++end;  // past the lead byte, then past its continuation bytes
        while (end < fileName.size() &&
               (static_cast<unsigned char>(fileName[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return std::string(fileName.substr(0, end));
}

LanguageList BuildLanguageList(std::span<const std::string> fileNames, std::string_view stored) {
    LanguageList list;
    for (const std::string& name : fileNames) {
        std::string code = LanguageCodeOf(name);
        const LanguagePicture picture = PictureOf(code);
        list.entries.push_back({std::move(code), picture});
    }
    for (std::size_t index = 0; index < list.entries.size(); ++index) {
        if (EqualIgnoringCase(list.entries[index].code, stored)) {
            list.selected = index;
            break;
        }
    }
    return list;
}

std::string LanguageFilePath(std::string_view programFolder, std::string_view code) {
    return std::string(programFolder) + "Languages\\" + std::string(code) + ".lang";
}

std::string TextKey(std::string_view id, std::size_t index) {
    return std::string(id) + std::to_string(index);
}

TranslationResult ApplyLanguageFile(LanguageFile& file,
                                    std::span<TranslatableWindow* const> windows,
                                    const std::function<bool()>& letMessagesThrough) {
    TranslationResult result;
    for (TranslatableWindow* window : windows) {
        const std::string section(window->Identifier());
        if (!file.Has(section, section) && !file.Write(section, section, window->Caption())) {
            result.captionsWritten = false;
        }
        for (std::size_t index = 0; index < window->ComponentCount(); ++index) {
            if (!letMessagesThrough()) {
                result.completed = false;
                return result;
            }
            Translate(file, section, window->ComponentAt(index));
        }
    }
    return result;
}

std::string UnableToWriteText(std::string_view path) {
    return "Unable to write to " + std::string(path);
}

}  // namespace orv
