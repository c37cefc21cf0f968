#pragma once
// The result of a file operation: success, or the error text to show the user.

#include <string>
#include <utility>

namespace orv {

class Outcome {
  public:
    static Outcome Ok() { return Outcome(); }
    static Outcome Failed(std::string error) { return Outcome(std::move(error)); }

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

  private:
    Outcome() = default;
    explicit Outcome(std::string error)
        : error_(error.empty() ? std::string("unknown error") : std::move(error)) {}

    std::string error_;
};

}  // namespace orv
