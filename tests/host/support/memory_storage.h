#pragma once
// The statistics folder in memory: WriteExtendedCopy as the Win32 one does it, files that can
// be made unreadable (held by another program), and the renames asked for.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "stats/statistics_ports.h"

namespace orv::testing {

class MemoryStorage final : public StatisticsStorage {
  public:
    bool Exists(const std::string& path) const override {
        return files.contains(path) || unreadable.contains(path);
    }
    Outcome ReplaceAtomically(const std::string& path,
                              const std::function<Outcome(const std::string&)>& write) override {
        if (unreadable.contains(path)) {
            return Outcome::Failed("sharing violation");
        }
        if (refuseWrites) {
            return Outcome::Failed("access denied");
        }
        const Outcome written = write(path + ".saving");
        if (written.ok()) {
            files[path] = files[path + ".saving"];
        }
        files.erase(path + ".saving");
        return written;
    }
    Outcome WriteBytes(const std::string& path, std::string_view bytes) override {
        ++wholeWrites;
        files[path] = std::string(bytes);
        return Outcome::Ok();
    }
    FileRead ReadBytes(const std::string& path) const override {
        if (unreadable.contains(path)) {
            return FileRead::Refused("sharing violation");
        }
        const auto found = files.find(path);
        return found == files.end() ? FileRead::NotFound() : FileRead::Of(found->second);
    }
    Outcome Rename(const std::string& from, const std::string& to) override {
        renames.emplace_back(from, to);
        if (unreadable.contains(from) || !files.contains(from)) {
            return Outcome::Failed("cannot rename");
        }
        files[to] = files[from];
        files.erase(from);
        return Outcome::Ok();
    }
    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt
                                    : std::optional<std::uint64_t>(found->second.size());
    }
    std::optional<Outcome> WriteExtendedCopy(const std::string& from, std::uint64_t keep,
                                             std::string_view expectedEnd, const std::string& to,
                                             std::string_view more) override {
        const auto found = files.find(from);
        if (unreadable.contains(from) || found == files.end() ||
            found->second.size() != keep + expectedEnd.size() ||
            found->second.substr(keep) != expectedEnd) {
            return std::nullopt;
        }
        files[to] = found->second.substr(0, keep) + std::string(more);
        return Outcome::Ok();
    }

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;  // there, but held open without sharing
    bool refuseWrites = false;  // every replacement refused, as on a full disk
    std::vector<std::pair<std::string, std::string>> renames;
    int wholeWrites = 0;
};

}  // namespace orv::testing
