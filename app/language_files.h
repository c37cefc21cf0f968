#pragma once
// Language files: the list of Languages\*.lang for the language box, and the application of
// one file to the open windows. Portable: the shell gives the folder's names, the profile-string
// service and the windows' components through the ports below.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

enum class LanguagePicture { None, Russian, English };

struct LanguageEntry {
    std::string code;  // LanguageCode: the first three characters of the file's name
    LanguagePicture picture = LanguagePicture::None;
};

struct LanguageList {
    std::vector<LanguageEntry> entries;
    std::optional<std::size_t> selected;  // the entry equal to the stored Language
};

// The first three characters (not bytes) of a UTF-8 file name, as written.
std::string LanguageCodeOf(std::string_view fileName);

// The box's entries in the platform's order of the file names, and the first entry equal to the
// stored Language without regard to case (ASCII letters).
LanguageList BuildLanguageList(std::span<const std::string> fileNames, std::string_view stored);

// <program folder>Languages\<code>.lang
std::string LanguageFilePath(std::string_view programFolder, std::string_view code);

// The key of one text of a control with several texts: the identifier followed by the index.
std::string TextKey(std::string_view id, std::size_t index);

// The profile-string service over one language file. Sections and keys are matched without
// regard to case by the service.
class LanguageFile {
  public:
    virtual ~LanguageFile() = default;
    // The value of the key, or `current` when the key is absent.
    virtual std::string Text(std::string_view section, std::string_view key,
                             std::string_view current) const = 0;
    // Whether the file holds the key, whatever its value.
    virtual bool Has(std::string_view section, std::string_view key) const = 0;
    // False when the file cannot be written.
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// How a component's texts are translated.
enum class TextRole {
    None,       // edit fields, tool buttons, the language box, pictures...
    Caption,    // labels, buttons, check boxes, group boxes, radio buttons, pages
    MenuEntry,  // a caption, except that separators ("-") are kept
    Items,      // drop-down lists: each item under identifier + index
    Columns,    // list views: each column header under identifier + index
};

// One component of a window as a translation sees it.
class TranslatableComponent {
  public:
    virtual ~TranslatableComponent() = default;
    virtual std::string_view Identifier() const = 0;
    virtual TextRole Role() const = 0;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view text) = 0;
    // Items or columns.
    virtual std::size_t TextCount() const = 0;
    virtual std::string TextAt(std::size_t index) const = 0;
    virtual void SetTextAt(std::size_t index, std::string_view text) = 0;
};

// One open window: its identifier is its section; its components come in design order.
class TranslatableWindow {
  public:
    virtual ~TranslatableWindow() = default;
    virtual std::string_view Identifier() const = 0;
    virtual std::string Caption() const = 0;
    virtual std::size_t ComponentCount() const = 0;
    virtual TranslatableComponent& ComponentAt(std::size_t index) = 0;
};

struct TranslationResult {
    bool captionsWritten = true;  // false when a caption the file lacked could not be written
    bool completed = true;        // false when the walk was told to stop
};

// For each window in the order given: writes its caption under its own identifier where the file
// lacks that key (a complete file is never written), then, for each component, lets pending
// messages through (`letMessagesThrough`, false to stop the walk) and looks up each of its texts
// with the current text as default. A file that cannot be written is still applied.
TranslationResult ApplyLanguageFile(LanguageFile& file,
                                    std::span<TranslatableWindow* const> windows,
                                    const std::function<bool()>& letMessagesThrough);

// The status text of a language file that could not be written.
std::string UnableToWriteText(std::string_view path);

}  // namespace orv
