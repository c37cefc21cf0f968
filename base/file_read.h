#pragma once
// What reading a whole file gave: its bytes, or that it is not there, or why it could not be
// read. "Missing" is only the system's "not found"; a file held open by another program or
// refused is Unreadable, and may read later.

#include <string>
#include <utility>

namespace orv {

struct FileRead {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes;  // when Read
    std::string error;  // the system's reason when Unreadable

    static FileRead Of(std::string bytes) { return {Status::Read, std::move(bytes), {}}; }
    static FileRead NotFound() { return {Status::Missing, {}, {}}; }
    static FileRead Refused(std::string error) { return {Status::Unreadable, {}, std::move(error)}; }
};

}  // namespace orv
