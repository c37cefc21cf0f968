#pragma once
// The remote-access service's text for one of its error codes.

#include <cstddef>
#include <string>

#include "monitor/connection_source.h"

namespace orv {

// Reads the text into a buffer of bufferChars characters; when the service has no text for the
// code, the system's message for it; when neither knows it, "Ошибка " and the code, so that the
// user still learns which error it was.
std::string ServiceErrorText(ServiceErrorTexts& source, RasResult code, std::size_t bufferChars);

}  // namespace orv
