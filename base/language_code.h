#pragma once
// The language the interface is shown in, by its LanguageCode (the first three characters of a
// language file's name, as the language box shows it). Code that builds its own texts asks
// IsRussian() to choose between its Russian and English variants.

#include <string>
#include <string_view>
#include <utility>

namespace orv {

class LanguageCode {
  public:
    LanguageCode() = default;
    explicit LanguageCode(std::string code) : code_(std::move(code)) {}

    const std::string& Text() const { return code_; }
    void Set(std::string code) { code_ = std::move(code); }

    // "RUS" without regard to case; every other code, an empty one too, means English.
    bool IsRussian() const { return IsRussianCode(code_); }

    static bool IsRussianCode(std::string_view code) {
        if (code.size() != 3) {
            return false;
        }
        constexpr std::string_view kRus = "RUS";
        for (std::size_t i = 0; i < 3; ++i) {
            const char upper =
                code[i] >= 'a' && code[i] <= 'z' ? static_cast<char>(code[i] - 32) : code[i];
            if (upper != kRus[i]) {
                return false;
            }
        }
        return true;
    }

  private:
    std::string code_ = "Eng";
};

}  // namespace orv
