// speechemu.dll: the in-process COM server of the emulated recogniser. DllRegisterServer (what
// `regsvr32 speechemu.dll` calls) registers it under the class identifier of the system's
// in-process recogniser, in the classes root (Wine's COM does not look at the user's classes):
// only ever in a throw-away Wine prefix, never on a real machine.
#include <windows.h>

#include <olectl.h>

#include <string>

#include "base/win32/resources.h"
#include "tools/speechemu/emulator_win32.h"

namespace orv::speechemu {
namespace {

HINSTANCE g_module = nullptr;

constexpr wchar_t kClassKey[] = L"CLSID\\{41B89B6B-9399-11D2-9623-00C04F8EE628}";

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IClassFactory)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static: it lives as long as the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        return CreateRecognizer(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? ++g_objects : --g_objects;
        return S_OK;
    }
};

Factory g_factory;

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace
}  // namespace orv::speechemu

using namespace orv::speechemu;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (clsid != orv::sapi::kSpInprocRecognizer) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
    return g_objects.load() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(g_module, path, MAX_PATH);
    orv::RegistryKey classKey;
    orv::RegistryKey server;
    const bool written =
        RegCreateKeyExW(HKEY_CLASSES_ROOT, kClassKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                        classKey.Receive(), nullptr) == ERROR_SUCCESS &&
        SetText(classKey.Get(), nullptr, L"Orvane emulated in-process recogniser") &&
        RegCreateKeyExW(classKey.Get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr,
                        server.Receive(), nullptr) == ERROR_SUCCESS &&
        SetText(server.Get(), nullptr, path) && SetText(server.Get(), L"ThreadingModel", L"Both");
    return written ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
