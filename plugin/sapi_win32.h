#pragma once
// The published Speech API 5 interfaces from MinGW's <sapi.h>. Its headers declare the class and
// interface identifiers, but no library defines the class identifiers, so the ones we create
// are defined here with their published values; interfaces are named with __uuidof.

#include <windows.h>

#include <sapi.h>

#include "base/win32/resources.h"

namespace orv::sapi {

// {41B89B6B-9399-11D2-9623-00C04F8EE628}
inline constexpr CLSID kSpInprocRecognizer{
    0x41b89b6b, 0x9399, 0x11d2, {0x96, 0x23, 0x00, 0xc0, 0x4f, 0x8e, 0xe6, 0x28}};
// {A910187F-0C7A-45AC-92CC-59EDAFB77B53}
inline constexpr CLSID kSpObjectTokenCategory{
    0xa910187f, 0x0c7a, 0x45ac, {0x92, 0xcc, 0x59, 0xed, 0xaf, 0xb7, 0x7b, 0x53}};
// {EF411752-3736-4CB4-9C8C-8EF4CCB58EFE}
inline constexpr CLSID kSpObjectToken{
    0xef411752, 0x3736, 0x4cb4, {0x9c, 0x8c, 0x8e, 0xf4, 0xcc, 0xb5, 0x8e, 0xfe}};

// Releases or frees what an event carries, as its parameter type prescribes, and empties it.
inline void ClearEvent(SPEVENT& event) {
    switch (event.elParamType) {
        case SPET_LPARAM_IS_OBJECT:
        case SPET_LPARAM_IS_TOKEN: {
            const ComRef<IUnknown> carried(reinterpret_cast<IUnknown*>(event.lParam));
            break;
        }
        case SPET_LPARAM_IS_POINTER:
        case SPET_LPARAM_IS_STRING: {
            const CoTaskMemory<void*> carried(reinterpret_cast<void*>(event.lParam));
            break;
        }
        default:
            break;
    }
    event = SPEVENT{};
}

}  // namespace orv::sapi
