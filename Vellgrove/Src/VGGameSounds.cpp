#include "VGGameSounds.h"

namespace Vellgrove {

const VGGameSound g_GameSounds[] = {
    {"Collide", "sounds\\collide.wav", 1},    {"Magic", "sounds\\magic.wav", 1},
    {"TeleCreate", "sounds\\telep_create.wav", 1}, {"TeleGo", "sounds\\tele_go.wav", 1},
    {"BridgeDown", "sounds\\bridgedown.wav", 1},   {"Step", "sounds\\step.wav", 1},
    {"Portal", "sounds\\portal.wav", 2},       {"RecErr", "sounds\\rec_err.wav", 1},
    {"Click", "sounds\\click.wav", 1},         {"Focus", "sounds\\focus.wav", 1},
    {"Fountain", "sounds\\fountain.wav", 1},   {"Kill", "sounds\\kill.wav", 1},
    {"Switch", "sounds\\switch.wav", 1},       {"Wind", "sounds\\wind.wav", 1},
    {"Gate", "sounds\\gate.wav", 1},           {"Spring", "sounds\\spring.wav", 1},
    {"Funnel", "sounds\\funnel.wav", 1},       {"Tooth", "sounds\\tooth.wav", 4},
    {"Score", "sounds\\score.wav", 10},
};
const std::size_t g_GameSoundCount = sizeof(g_GameSounds) / sizeof(g_GameSounds[0]);

const char* const g_GameMusic[] = {
    "sounds\\menu.mp3",  "sounds\\playtime.mp3", "sounds\\playtimew.mp3", "sounds\\bonus.mp3",
    "sounds\\intro.mp3", "sounds\\trophies.mp3", "sounds\\final.mp3",
};
const std::size_t g_GameMusicCount = sizeof(g_GameMusic) / sizeof(g_GameMusic[0]);

}  // namespace Vellgrove
