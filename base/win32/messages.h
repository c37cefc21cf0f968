#pragma once
// The program's private window messages, in one place and in ranges of their own, so that no
// two of them can share a number. WM_USER belongs to the remote command protocol and keeps its
// value; nothing here uses it.

#include <windows.h>

namespace orv::messages {

// WM_APP + 0x00 .. 0x0F: the floating window and its tray icon.
inline constexpr UINT kTrayCallback = WM_APP + 0x01;

// WM_APP + 0x10 .. 0x1F: the remote-access service's hand-over to the interface thread.
inline constexpr UINT kDialProgress = WM_APP + 0x10;

// WM_APP + 0x20 .. 0x2F: the dialer.
inline constexpr UINT kDialerFirst = WM_APP + 0x20;

// WM_APP + 0x30 .. 0x3F: the threshold events and the launcher.
inline constexpr UINT kEventsFirst = WM_APP + 0x30;

// WM_APP + 0x40 .. 0x4F: speech control.
inline constexpr UINT kSpeechFirst = WM_APP + 0x40;

}  // namespace orv::messages
