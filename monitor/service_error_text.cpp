#include "monitor/service_error_text.h"

namespace orv {

std::string ServiceErrorText(ServiceErrorTexts& source, RasResult code, std::size_t bufferChars) {
    std::string text;
    if (source.GetErrorString(code, bufferChars, text) != kRasSuccess || text.empty()) {
        return "Ошибка " + std::to_string(code);
    }
    return text;
}

}  // namespace orv
