#pragma once
// The files the emulated service reads: the scenario, read whole, and the control file, which
// a running test appends commands to and the service reads line by line as they arrive.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv::rasemu {

std::optional<std::string> ReadWholeFile(const std::string& path);

class ControlFileTail {
  public:
    // Reads path from `consumed` bytes on: the lines before were applied already.
    explicit ControlFileTail(std::string path, std::uint64_t consumed = 0)
        : path_(std::move(path)), offset_(consumed) {}

    const std::string& Path() const { return path_; }
    // The bytes of the complete lines handed out so far.
    std::uint64_t Consumed() const { return offset_ - partial_.size(); }

    // The lines completed since the last call; a line still being written (no line end yet)
    // waits for the next call. A missing file has no lines yet.
    std::vector<std::string> NewLines();

  private:
    std::string path_;
    std::uint64_t offset_ = 0;
    std::string partial_;
};

}  // namespace orv::rasemu
