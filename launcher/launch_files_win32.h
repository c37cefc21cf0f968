#pragma once
// The launch list's ports on Windows: apptoload.orl in the ANSI code page, the shell's "open"
// request, and the launcher's picture list filled from the programs' own icons.

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "base/win32/resources.h"
#include "launcher/launch_ports.h"

namespace orv {

class Win32LaunchListFile final : public LaunchListFile {
  public:
    Outcome CreateIfMissing(const std::string& path) override;
    FileRead ReadText(const std::string& path) override;
    Outcome ReplaceText(const std::string& path, std::string_view utf8) override;
    bool Fits(std::string_view utf8) const override;
};

class Win32ProgramShell final : public ProgramShell {
  public:
    // The owner is looked up at each start: the application window may come later.
    explicit Win32ProgramShell(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    OpenResult Open(const std::string& file, const std::string& parameters, const std::string& folder,
              int showCommand) override;

  private:
    std::function<HWND()> owner_;
};

// 16 x 16 pictures; index 0 is the platform's default program picture.
class Win32ProgramPictures final : public ProgramPictures {
  public:
    Win32ProgramPictures();

    int PictureOf(const std::string& path) override;
    HIMAGELIST List() const { return list_.Get(); }

  private:
    ImageList list_;
};

}  // namespace orv
