#pragma once
// Text conversions at the COM and Win32 boundary of the statistics code: UTF-8 inside,
// UTF-16 (BSTR) outside, and error texts of HRESULTs and system error codes.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

namespace orv {

std::wstring Utf8ToWide(std::string_view utf8);
// Appends the UTF-16 text as UTF-8 to out (reusing its storage).
void AppendUtf8(std::wstring_view wide, std::string& out);
std::string WideToUtf8(std::wstring_view wide);

// The system's text for an error code or HRESULT, without the trailing line break.
std::string SystemErrorText(DWORD code);
inline std::string LastErrorText() {
    return SystemErrorText(GetLastError());
}

// An owned BSTR.
class Bstr {
  public:
    explicit Bstr(std::string_view utf8);
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return text_; }

  private:
    BSTR text_;
};

}  // namespace orv
