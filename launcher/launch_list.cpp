#include "launcher/launch_list.h"

#include <utility>

namespace orv {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

bool IsFlag(std::string_view line) {
    return !line.empty() && line.front() == '@';
}
bool IsSubItem(std::string_view line) {
    return !line.empty() && line.front() == '\t';
}

std::string* SubItem(LaunchEntry& entry, int index) {
    switch (index) {
        case 0:
            return &entry.folder;
        case 1:
            return &entry.parameters;
        case 2:
            return &entry.windowMode;
        default:
            return &entry.startMoment;
    }
}

// Where the next line of the current block goes.
enum Slot { kName = 0, kFlag = 1, kFirstSubItem = 2, kBlockEnd = 6 };

}  // namespace

std::vector<LaunchEntry> ParseLaunchList(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<LaunchEntry> entries;
    int slot = kName;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) {
            continue;  // never written; skipped wherever it stands
        }
        if (slot == kFlag && IsFlag(line)) {
            entries.back().enabled = line.size() > 1 && line[1] == '1';
            slot = kFirstSubItem;
            continue;
        }
        if (slot != kName && IsSubItem(line)) {
            slot = slot == kFlag ? kFirstSubItem : slot;  // a block without its flag line
            *SubItem(entries.back(), slot - kFirstSubItem) = std::string(TrimBlanks(line));
            slot = slot + 1 == kBlockEnd ? kName : slot + 1;
            continue;
        }
        // A name line. A TAB line here belongs to no entry; an '@' line is a name only when a
        // flag line follows it, otherwise it is a flag without its entry.
        slot = kName;
        if (IsSubItem(line)) {
            continue;
        }
        if (IsFlag(line)) {
            std::size_t next = i + 1;
            while (next < lines.size() && lines[next].empty()) {
                ++next;
            }
            if (next == lines.size() || !IsFlag(lines[next])) {
                continue;
            }
        }
        entries.emplace_back().fileName = std::string(line);
        slot = kFlag;
    }
    return entries;
}

std::string FormatLaunchList(const std::vector<LaunchEntry>& entries) {
    std::string text;
    for (const LaunchEntry& entry : entries) {
        text += entry.fileName + "\r\n";
        text += entry.enabled ? "@1\r\n" : "@0\r\n";
        for (const std::string* item :
             {&entry.folder, &entry.parameters, &entry.windowMode, &entry.startMoment}) {
            text += '\t' + *item + "\r\n";
        }
    }
    return text;
}

LaunchList::LaunchList(LaunchServices services, std::string programFolder)
    : services_(services), programFolder_(std::move(programFolder)) {}

void LaunchList::LoadLaunchList() {
    entries_.clear();
    fileIsOurs_ = false;
    savedText_.clear();
    const std::string path = FilePath();
    // A folder where the file cannot be created (read-only) starts with an empty list; only a
    // save that fails is worth telling the user about.
    if (!services_.file.CreateIfMissing(path).ok()) {
        return;
    }
    const FileRead text = services_.file.ReadText(path);
    if (text.status == FileRead::Status::Unreadable) {
        std::string reason = text.error;
        while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) {
            reason.pop_back();
        }
        services_.notices.Notify("Список запуска " + path + " не прочитан (" + reason +
                                 "); при выходе он не будет перезаписан.");
        return;
    }
    fileIsOurs_ = true;
    entries_ = ParseLaunchList(text.bytes);
    savedText_ = FormatLaunchList(entries_);
    for (LaunchEntry& entry : entries_) {
        entry.picture = services_.pictures.PictureOf(entry.folder + entry.fileName);
    }
}

void LaunchList::SaveLaunchList() {
    if (!fileIsOurs_ && entries_.empty()) {
        return;  // the user's list, which could not be read, stays as it is
    }
    Save(FormatLaunchList(entries_), true);
}

void LaunchList::SaveAfterEdit() {
    std::string text = FormatLaunchList(entries_);
    if (text != savedText_) {
        // One box per run of failures: every click in the list would repeat it otherwise.
        Save(std::move(text), !editSaveFailed_);
    }
}

bool LaunchList::Save(std::string text, bool reportFailure) {
    const std::string path = FilePath();
    const Outcome saved = services_.file.ReplaceText(path, text);
    editSaveFailed_ = !saved.ok();
    fileIsOurs_ = fileIsOurs_ || saved.ok();
    if (saved.ok()) {
        savedText_ = std::move(text);
    } else if (reportFailure) {
        if (Russian()) {
            services_.boxes.ShowError("Ошибка", "Список запуска не сохранён в " + path + ": " +
                                                    saved.error());
        } else {
            services_.boxes.ShowError("Error",
                                      "The launch list is not saved in " + path + ": " + saved.error());
        }
    }
    return saved.ok();
}

void LaunchList::LaunchPrograms(StartMoment moment) {
    std::string missing;
    std::string failed;
    for (const LaunchEntry& entry : entries_) {
        if (!entry.enabled || !NamesMoment(entry.startMoment, moment)) {
            continue;
        }
        const std::string file = entry.folder + entry.fileName;
        const OpenResult result =
            services_.shell.Open(file, entry.parameters, entry.folder, ShowCommandOf(entry.windowMode));
        if (result != OpenResult::Started) {
            std::string& names = result == OpenResult::Missing ? missing : failed;
            names += (names.empty() ? "" : ", ") + file;
        }
    }
    // The other programs are started all the same; the user learns which ones were not.
    if (!services_.statusText || (missing.empty() && failed.empty())) {
        return;
    }
    const bool russian = Russian();
    std::string text;
    if (!missing.empty()) {
        text = (russian ? "Программа не найдена: " : "Program not found: ") + missing;
    }
    if (!failed.empty()) {
        text += (text.empty() ? "" : "; ");
        text += (russian ? "Программа не запущена: " : "Program not started: ") + failed;
    }
    services_.statusText(text);
}

}  // namespace orv
