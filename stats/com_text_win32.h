#pragma once
// Text at the COM boundary of the statistics code (BSTRs, UTF-8 appended into a reused
// buffer) and the error texts of HRESULTs and system error codes.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

#include "base/win32/resources.h"
#include "base/win32/system_error.h"
#include "base/win32/wide_text.h"

namespace orv {

// Appends the UTF-16 text as UTF-8 to out (reusing its storage).
void AppendUtf8(std::wstring_view wide, std::string& out);

}  // namespace orv
