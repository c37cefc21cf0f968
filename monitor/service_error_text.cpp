#include "monitor/service_error_text.h"

namespace orv {

std::string ServiceErrorText(ServiceErrorTexts& source, RasResult code, std::size_t bufferChars) {
    std::string text;
    RasResult result = source.GetErrorString(code, bufferChars, text);
    // A text longer than the dialer's small buffer is read again into the monitor's one rather
    // than lost (the service's newer texts run past 100 characters).
    if (result == kRasInsufficientBuffer && bufferChars < kMonitorErrorTextChars) {
        result = source.GetErrorString(code, kMonitorErrorTextChars, text);
    }
    if (result == kRasSuccess && !text.empty()) {
        return text;
    }
    // Not a remote-access code (a Win32 code, an HRESULT): the system may know it.
    text.clear();
    if (source.GetSystemErrorString(code, text) == kRasSuccess && !text.empty()) {
        return text;
    }
    return "Ошибка " + std::to_string(code);
}

}  // namespace orv
