#include "launcher/launch_page.h"

namespace orv {
namespace {

constexpr std::string_view kProgramFilter = "Executable Files|*.exe;*.com|All Files|*";

}  // namespace

SplitProgramPath SplitPath(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) {
        return {std::string(path), {}};
    }
    return {std::string(path.substr(separator + 1)), std::string(path.substr(0, separator + 1))};
}

LaunchPage::LaunchPage(LaunchList& list, LaunchPageView& view, CommonDialogs& dialogs)
    : list_(list), view_(view), dialogs_(dialogs) {}

void LaunchPage::ShowList() {
    // Nothing is selected yet; the fields keep their design texts.
    for (const LaunchEntry& entry : list_.Entries()) {
        view_.AppendRow(entry);
    }
}

void LaunchPage::SpeedButton4Click() {
    const std::optional<std::string> path = dialogs_.ChooseFileToOpen(kProgramFilter);
    if (!path) {
        return;
    }
    // The list is stored in the ANSI code page: a character it lacks would come back as a
    // different character, and the entry would start another program or none.
    if (!list_.Services().file.Fits(*path)) {
        if (list_.Russian()) {
            list_.Services().boxes.ShowError(
                "Ошибка",
                "Путь программы содержит символы, которых нет в кодовой странице системы, "
                "поэтому его нельзя сохранить в списке запуска:\n" +
                    *path);
        } else {
            list_.Services().boxes.ShowError(
                "Error",
                "The program's path holds characters the system's code page lacks, so the "
                "launch list cannot store it:\n" +
                    *path);
        }
        return;
    }
    SplitProgramPath split = SplitPath(*path);
    LaunchEntry entry{.fileName = std::move(split.fileName),
                      .enabled = true,
                      .folder = std::move(split.folder),
                      .parameters = {},
                      .windowMode = view_.Item(LaunchField::WindowMode, 0),
                      .startMoment = view_.Item(LaunchField::StartMoment, 0),
                      .picture = list_.Services().pictures.PictureOf(*path)};
    list_.Entries().push_back(entry);
    view_.AppendRow(entry);
    Select(static_cast<int>(list_.Entries().size()) - 1);
    view_.SetFieldText(LaunchField::Parameters, "");
    view_.SetFieldText(LaunchField::WindowMode, entry.windowMode);
    view_.SetFieldText(LaunchField::StartMoment, entry.startMoment);
    view_.EnableFields(true);
    list_.SaveAfterEdit();
}

void LaunchPage::SpeedButton5Click() {
    const int selected = view_.SelectedRow();
    auto& entries = list_.Entries();
    if (selected < 0 || selected >= static_cast<int>(entries.size())) {
        return;
    }
    entries.erase(entries.begin() + selected);
    shown_ = -1;  // the fields' texts belong to the removed entry
    view_.RemoveRow(selected);
    Select(-1);
    list_.SaveAfterEdit();
}

void LaunchPage::SpeedButton6Click() {
    const int selected = view_.SelectedRow();
    if (selected <= 0) {
        view_.EnableButton(LaunchButton::Previous, false);
        return;
    }
    view_.EnableButton(LaunchButton::Next, true);
    Select(selected - 1);
    view_.EnableFields(true);
    ShowLaunchEntry(selected - 1);
}

void LaunchPage::SpeedButton7Click() {
    const int selected = view_.SelectedRow();
    const int last = static_cast<int>(list_.Entries().size()) - 1;
    if (selected >= last) {
        view_.EnableButton(LaunchButton::Next, false);
        return;
    }
    view_.EnableButton(LaunchButton::Previous, true);
    Select(selected + 1);  // with nothing selected, the first entry
    view_.EnableFields(true);
    ShowLaunchEntry(selected + 1);
}

void LaunchPage::ListView2SelectItem() {
    // Typed parameters belong to the entry the fields showed, even when the selection moves
    // before the field reports that it was left.
    Edit14Exit();
    const int selected = view_.SelectedRow();
    if (selected >= 0 && selected < static_cast<int>(list_.Entries().size())) {
        view_.EnableButton(LaunchButton::Previous, true);
        view_.EnableButton(LaunchButton::Next, true);
        view_.EnableButton(LaunchButton::Delete, true);
        view_.EnableFields(true);
        ShowLaunchEntry(selected);
        return;
    }
    shown_ = -1;
    view_.EnableFields(false);
    view_.EnableButton(LaunchButton::Delete, false);
    view_.SetFieldText(LaunchField::Parameters, "");
    view_.SetFieldText(LaunchField::WindowMode, "");
    view_.SetFieldText(LaunchField::StartMoment, "");
}

void LaunchPage::CheckChanged(int index, bool checked) {
    if (index >= 0 && index < static_cast<int>(list_.Entries().size())) {
        list_.Entries()[static_cast<std::size_t>(index)].enabled = checked;
        list_.SaveAfterEdit();
    }
}

void LaunchPage::Edit14Exit() {
    if (LaunchEntry* entry = ShownEntryPtr()) {
        entry->parameters = view_.FieldText(LaunchField::Parameters);
        view_.ShowRow(shown_, *entry);
        list_.SaveAfterEdit();
    }
}

void LaunchPage::ComboBox4Change() {
    if (LaunchEntry* entry = ShownEntryPtr()) {
        const std::string text = view_.FieldText(LaunchField::WindowMode);
        // The stored text shown in the other language is no change.
        const int index = ItemIndexOf(LaunchField::WindowMode, text);
        if (index < 0 || index != ItemIndexOf(LaunchField::WindowMode, entry->windowMode)) {
            entry->windowMode = text;
            view_.ShowRow(shown_, *entry);
            list_.SaveAfterEdit();
        }
    }
}

void LaunchPage::ComboBox5Change() {
    if (LaunchEntry* entry = ShownEntryPtr()) {
        const std::string text = view_.FieldText(LaunchField::StartMoment);
        const int index = ItemIndexOf(LaunchField::StartMoment, text);
        if (index < 0 || index != ItemIndexOf(LaunchField::StartMoment, entry->startMoment)) {
            entry->startMoment = text;
            view_.ShowRow(shown_, *entry);
            list_.SaveAfterEdit();
        }
    }
}

int LaunchPage::ItemIndexOf(LaunchField field, std::string_view text) const {
    if (field == LaunchField::WindowMode) {
        if (const int mode = WindowModeIndexOf(text); mode >= 0) {
            return mode;
        }
    } else {
        for (const StartMoment moment : {StartMoment::WithMonitor, StartMoment::AfterDial}) {
            if (NamesMoment(text, moment)) {
                return static_cast<int>(moment);
            }
        }
    }
    const int count = field == LaunchField::WindowMode ? 5 : 2;
    for (int index = 0; index < count; ++index) {
        if (!text.empty() && view_.Item(field, index) == text) {
            return index;
        }
    }
    return -1;
}

std::string LaunchPage::Shown(LaunchField field, const std::string& stored) const {
    const int index = ItemIndexOf(field, stored);
    std::string item = index >= 0 ? view_.Item(field, index) : std::string();
    return item.empty() ? stored : item;
}

void LaunchPage::ShowLaunchEntry(int index) {
    if (index < 0 || index >= static_cast<int>(list_.Entries().size())) {
        return;
    }
    shown_ = index;  // first, so that a change the texts report lands on this entry
    const LaunchEntry& entry = list_.Entries()[static_cast<std::size_t>(index)];
    view_.SetFieldText(LaunchField::Parameters, entry.parameters);
    view_.SetFieldText(LaunchField::WindowMode, Shown(LaunchField::WindowMode, entry.windowMode));
    view_.SetFieldText(LaunchField::StartMoment,
                       Shown(LaunchField::StartMoment, entry.startMoment));
}

void LaunchPage::Select(int index) {
    view_.SelectRow(index);
    ListView2SelectItem();
}

LaunchEntry* LaunchPage::ShownEntryPtr() {
    if (shown_ < 0 || shown_ >= static_cast<int>(list_.Entries().size())) {
        return nullptr;
    }
    return &list_.Entries()[static_cast<std::size_t>(shown_)];
}

}  // namespace orv
