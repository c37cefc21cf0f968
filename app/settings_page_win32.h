#pragma once
// The settings and events pages answer their own controls: switches, sound-file buttons,
// colour swatches and the transparency slider reach SettingsReactions.

#include "app/control_reactions_win32.h"
#include "app/settings_reactions.h"

namespace orv {

void RegisterSettingsReactions(ControlReactions& controls, SettingsReactions& reactions);

}  // namespace orv
