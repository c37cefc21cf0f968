#pragma once
// The process's one emulated service. Before each call it follows the environment: a new or
// changed scenario file (ORVANE_RAS_SCENARIO) is loaded afresh, and commands appended to the
// control file (ORVANE_RAS_CONTROL) are applied.

#include <mutex>
#include <utility>

#include "tools/rasemu/emulated_service.h"

namespace orv::rasemu {

std::mutex& ServiceMutex();
// The service brought up to date; the caller holds ServiceMutex().
EmulatedService& UpToDateService();
// After a call: writes what changed where the environment asks for it (the handles not hung
// up, ORVANE_RAS_HANDLES); the caller holds ServiceMutex().
void CallDone();

template <typename Call>
auto WithService(Call&& call) {
    std::lock_guard<std::mutex> lock(ServiceMutex());
    struct Done {
        ~Done() { CallDone(); }
    } done;
    return std::forward<Call>(call)(UpToDateService());
}

}  // namespace orv::rasemu
