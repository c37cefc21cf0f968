#pragma once
// Owners for every Win32 resource the programs hold: each frees its resource once, when it goes
// out of scope, so no function body pairs a creation with a hand-written release.

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <oleauto.h>

#include <utility>

namespace orv {

// A movable owner of a value that a release function frees; `Traits` names the empty value and
// the release.
template <typename Traits>
class Owned {
  public:
    using Value = typename Traits::Value;

    Owned() = default;
    explicit Owned(Value value) : value_(value) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : value_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Value Get() const { return value_; }
    explicit operator bool() const { return Traits::Valid(value_); }
    // The place an API writes a new value into; whatever was held is freed first.
    Value* Receive() {
        Reset();
        return &value_;
    }
    Value Release() { return std::exchange(value_, Traits::Empty()); }
    void Reset(Value value = Traits::Empty()) {
        if (Traits::Valid(value_)) {
            Traits::Free(value_);
        }
        value_ = value;
    }

  private:
    Value value_ = Traits::Empty();
};

namespace resource_traits {

struct Handle {
    using Value = HANDLE;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value && value != INVALID_HANDLE_VALUE; }
    static void Free(Value value) { CloseHandle(value); }
};

template <typename Object>
struct GdiObject {
    using Value = Object;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { DeleteObject(value); }
};

struct MemoryDc {
    using Value = HDC;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { DeleteDC(value); }
};

struct GlobalMemory {
    using Value = HGLOBAL;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { GlobalFree(value); }
};

struct EnhMetafile {
    using Value = HENHMETAFILE;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { DeleteEnhMetaFile(value); }
};

struct RegistryKey {
    using Value = HKEY;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { RegCloseKey(value); }
};

struct Icon {
    using Value = HICON;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { DestroyIcon(value); }
};

// A directory search of FindFirstFile, whose empty value is INVALID_HANDLE_VALUE.
struct FindSearch {
    using Value = HANDLE;
    static Value Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Value value) { return value != INVALID_HANDLE_VALUE; }
    static void Free(Value value) { FindClose(value); }
};

struct Library {
    using Value = HMODULE;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { FreeLibrary(value); }
};

struct ImageList {
    using Value = HIMAGELIST;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { ImageList_Destroy(value); }
};

// Memory a system call allocated with LocalAlloc for its caller (FormatMessage's text).
template <typename Pointer>
struct LocalMemory {
    using Value = Pointer;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { LocalFree(value); }
};

struct Bstr {
    using Value = BSTR;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { SysFreeString(value); }
};

struct SafeArray {
    using Value = SAFEARRAY*;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { SafeArrayDestroy(value); }
};

// A COM interface pointer holding one reference.
template <typename Interface>
struct ComInterface {
    using Value = Interface*;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { value->Release(); }
};

// Memory a COM call allocated for its caller, such as a returned string.
template <typename Pointer>
struct CoTaskMemory {
    using Value = Pointer;
    static Value Empty() { return nullptr; }
    static bool Valid(Value value) { return value != nullptr; }
    static void Free(Value value) { CoTaskMemFree(value); }
};

}  // namespace resource_traits

// A kernel handle (file, thread, token, event); null and INVALID_HANDLE_VALUE hold nothing.
using UniqueHandle = Owned<resource_traits::Handle>;
template <typename Object>
using GdiObject = Owned<resource_traits::GdiObject<Object>>;
using MemoryDc = Owned<resource_traits::MemoryDc>;
// A printer's device context (from a print dialog or CreateDC), freed by DeleteDC as well.
using PrinterDc = Owned<resource_traits::MemoryDc>;
// Movable memory handed over by the common dialogs (DEVMODE, DEVNAMES).
using GlobalMemory = Owned<resource_traits::GlobalMemory>;
using EnhMetafile = Owned<resource_traits::EnhMetafile>;
using RegistryKey = Owned<resource_traits::RegistryKey>;
using IconHandle = Owned<resource_traits::Icon>;
using FindSearch = Owned<resource_traits::FindSearch>;
// A library loaded with LoadLibrary, for functions not every system has.
using Library = Owned<resource_traits::Library>;
using ImageList = Owned<resource_traits::ImageList>;
using LocalText = Owned<resource_traits::LocalMemory<wchar_t*>>;
using Bstr = Owned<resource_traits::Bstr>;
using SafeArray = Owned<resource_traits::SafeArray>;
template <typename Interface>
using ComRef = Owned<resource_traits::ComInterface<Interface>>;
template <typename Pointer>
using CoTaskMemory = Owned<resource_traits::CoTaskMemory<Pointer>>;
using CoTaskText = CoTaskMemory<wchar_t*>;

// An object selected into a device context until the end of the scope.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The device context of a window's client area (GetDC), or of the whole window with its frame
// (GetWindowDC), released at the end of the scope.
class WindowDc {
  public:
    enum class Area { Client, WholeWindow };
    explicit WindowDc(HWND window, Area area = Area::Client)
        : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint of one WM_PAINT.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A VARIANT cleared at the end of its life.
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* operator&() { return &value_; }
    VARIANT& Get() { return value_; }

  private:
    VARIANT value_;
};

// The thread's COM apartment (single-threaded), entered once by a program's entry point.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Entered() const { return SUCCEEDED(result_); }

  private:
    HRESULT result_;
};

}  // namespace orv
