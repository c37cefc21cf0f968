#include "stats_test_folder.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "stats/com_text_win32.h"

namespace orv::testing {

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring full = folder + L"\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempProgramFolder::TempProgramFolder(bool withStatisticsFolder) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    std::wstringstream name;
    name << base << L"orvstats-" << GetCurrentProcessId() << L"-" << ++counter;
    CreateDirectoryW(name.str().c_str(), nullptr);
    path_ = Narrow(name.str()) + "\\";
    if (withStatisticsFolder) {
        CreateStatisticsFolder();
    }
}

TempProgramFolder::~TempProgramFolder() {
    RemoveTree(Widen(path_.substr(0, path_.size() - 1)));
}

void TempProgramFolder::CreateStatisticsFolder() const {
    CreateDirectoryW(Widen(path_ + "statistics").c_str(), nullptr);
}

std::vector<std::string> TempProgramFolder::StatisticsFolderEntries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(Widen(path_ + "statistics\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Narrow(entry.cFileName);
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    return names;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(Widen(path).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(Widen(path).c_str(), std::ios::binary | std::ios::trunc);
    file << bytes;
}

std::size_t CountOccurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

}  // namespace orv::testing
