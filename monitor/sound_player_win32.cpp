#include "monitor/sound_player_win32.h"

#include <windows.h>

#include <mmsystem.h>

#include "base/win32/wide_text.h"

namespace orv {

void Win32SoundPlayer::PlayAsync(std::string_view file) {
    PlaySoundW(Widen(file).c_str(), nullptr, SND_ASYNC);
}

}  // namespace orv
