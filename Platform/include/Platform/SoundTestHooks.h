// Hooks through which tests watch and steer the sound stand-in (mmio resources, DirectSound 8,
// DirectShow): the calls made, a call that fails as a machine seldom makes it fail, and a graph
// whose RenderFile does not return until the test lets it. Not part of the interfaces the game uses.
#pragma once

#include "Platform/Win32Types.h"

#include <string>
#include <vector>

namespace Platform {
namespace Testing {

// A resource of the program's module, found by FindResourceA under this name and type.
void AddModuleResource(const std::string& name, const std::string& type, const std::string& bytes);
void ClearModuleResources();

// One call of a DirectSound buffer or a DirectShow graph: its name ("SetVolume", "Play", "Stop",
// "SetFormat", "CreateSoundBuffer", "CoCreateInstance", "RenderFile", "Run", "put_Volume",
// "SetPositions", "Release"...), its number argument or its text (RenderFile's path), the result it
// answered and the multimedia time it was made at.
struct SoundCall {
  std::string call;
  long long value = 0;
  std::string text;
  HRESULT result = 0;
  DWORD time = 0;
};
// Status, position and wait queries are not recorded: they come many times a second.
void StartRecordingSoundCalls();
std::vector<SoundCall> RecordedSoundCalls();
void StopRecordingSoundCalls();

// The next call of the named operation ("DirectSoundCreate8", "SetCooperativeLevel",
// "CreateSoundBuffer", "SetFormat", "Lock", "CoCreateInstance", "RenderFile", "Run") answers the
// given result and does nothing else.
void FailNextSoundCall(const char* operation, HRESULT result);
void ClearSoundFailures();

// While held, RenderFile waits on the thread that called it (as when a device or a decoder is
// slow to answer) until ReleaseRenderFile.
void HoldRenderFile();
void ReleaseRenderFile();

// How many channels the shared mixer has open for buffers and graphs, and whether it is open.
int OpenSoundChannels();
bool IsMixerOpen();

}  // namespace Testing
}  // namespace Platform
