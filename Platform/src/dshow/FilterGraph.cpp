#include "Platform/DShow.h"
#include "Platform/MMSystem.h"
#include "Platform/NativePath.h"
#include "Platform/Win32.h"

#include "audio/SharedMixer.h"
#include "audio/SoundCalls.h"

#include <atomic>
#include <new>

const GUID CLSID_FilterGraph = {0x4b6f7276, 0x0001, 0x4d75, {0x73, 0x69, 0x63, 0x47, 0x72, 0x61, 0x70, 0x68}};
const GUID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID IID_IGraphBuilder = {0x4b6f7276, 0x0002, 0x4d75, {0x73, 0x69, 0x63, 0x47, 0x72, 0x61, 0x70, 0x68}};
const GUID IID_IMediaControl = {0x4b6f7276, 0x0003, 0x4d75, {0x73, 0x69, 0x63, 0x47, 0x72, 0x61, 0x70, 0x68}};
const GUID IID_IMediaEvent = {0x4b6f7276, 0x0004, 0x4d75, {0x73, 0x69, 0x63, 0x47, 0x72, 0x61, 0x70, 0x68}};
const GUID IID_IBasicAudio = {0x4b6f7276, 0x0005, 0x4d75, {0x73, 0x69, 0x63, 0x47, 0x72, 0x61, 0x70, 0x68}};
const GUID IID_IMediaSeeking = {0x4b6f7276, 0x0006, 0x4d75, {0x73, 0x69, 0x63, 0x47, 0x72, 0x61, 0x70, 0x68}};

namespace Platform {
namespace DirectShow {
namespace {

const LONGLONG kUnitsPerMillisecond = 10000;
const LONGLONG kUnitsPerSecond = 10000000;
const HRESULT kNoAggregation = static_cast<HRESULT>(0x80040110);

// A graph plays its file as one decoded sound on a channel of the shared mixer. Its position runs
// on the multimedia clock from the moment it runs, and stops exactly at the sound's length.
class FilterGraph : public IGraphBuilder,
                    public IMediaControl,
                    public IMediaEvent,
                    public IBasicAudio,
                    public IMediaSeeking {
 public:
  ULONG AddRef() override { return ++m_references; }
  ULONG Release() override {
    const ULONG left = --m_references;
    if (left == 0) {
      Audio::RecordCall("Release", S_OK);
      delete this;
    }
    return left;
  }

  HRESULT QueryInterface(REFIID interfaceId, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = Face(interfaceId);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  HRESULT RenderFile(LPCWSTR file, LPCWSTR /*playList*/) override {
    const std::string path = file != nullptr ? Platform::WideToUtf8(file) : std::string();
    Audio::WaitWhileRenderFileHeld();
    HRESULT failure;
    if (Audio::TakeFailure("RenderFile", failure)) return Audio::RecordCall("RenderFile", failure, 0, path);
    if (file == nullptr) return Audio::RecordCall("RenderFile", E_POINTER);
    const std::string native = Platform::ToNativePath(path);
    if (!Platform::IsRegularFile(native)) return Audio::RecordCall("RenderFile", VFW_E_NOT_FOUND, 0, path);
    m_running = false;
    m_position = 0;
    m_rendered = m_voice.LoadFile(native.c_str());
    const HRESULT result = m_rendered ? S_OK : VFW_E_UNSUPPORTED_STREAM;
    return Audio::RecordCall("RenderFile", result, 0, path);
  }

  HRESULT Run() override {
    HRESULT failure;
    if (Audio::TakeFailure("Run", failure)) return Audio::RecordCall("Run", failure);
    if (!m_rendered) return Audio::RecordCall("Run", VFW_E_WRONG_STATE);
    if (!m_running) StartAt(m_position);
    return Audio::RecordCall("Run", S_OK);
  }

  HRESULT Stop() override {
    m_position = Current();
    m_running = false;
    m_voice.Halt();
    return Audio::RecordCall("Stop", S_OK);
  }

  HRESULT WaitForCompletion(long timeoutMilliseconds, long* eventCode) override {
    if (eventCode == nullptr) return E_POINTER;
    *eventCode = 0;
    if (!m_running) return VFW_E_WRONG_STATE;
    const LONGLONG left = (Duration() - Current() + kUnitsPerMillisecond - 1) / kUnitsPerMillisecond;
    if (timeoutMilliseconds >= 0 && left > timeoutMilliseconds) {
      Sleep(static_cast<DWORD>(timeoutMilliseconds));
      return E_ABORT;
    }
    Sleep(static_cast<DWORD>(left));
    *eventCode = EC_COMPLETE;
    return S_OK;
  }

  HRESULT put_Volume(long volume) override {
    if (volume < -10000 || volume > 0) return Audio::RecordCall("put_Volume", E_INVALIDARG, volume);
    m_volume = volume;
    m_voice.SetGain(Audio::GainOfLevel(volume));
    return Audio::RecordCall("put_Volume", S_OK, volume);
  }

  HRESULT get_Volume(long* volume) override {
    if (volume == nullptr) return E_POINTER;
    *volume = m_volume;
    return S_OK;
  }

  HRESULT GetPositions(LONGLONG* current, LONGLONG* stop) override {
    if (current != nullptr) *current = Current();
    if (stop != nullptr) *stop = Duration();
    return S_OK;
  }

  HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* /*stop*/, DWORD /*stopFlags*/) override {
    if ((currentFlags & AM_SEEKING_AbsolutePositioning) == 0 || current == nullptr) {
      return Audio::RecordCall("SetPositions", S_OK, -1);
    }
    const LONGLONG wanted = *current < 0 ? 0 : (*current > Duration() ? Duration() : *current);
    if (m_running) {
      StartAt(wanted);
    } else {
      m_position = wanted;
    }
    return Audio::RecordCall("SetPositions", S_OK, wanted);
  }

 private:
  void* Face(REFIID interfaceId) {
    if (interfaceId == IID_IUnknown || interfaceId == IID_IGraphBuilder) return static_cast<IGraphBuilder*>(this);
    if (interfaceId == IID_IMediaControl) return static_cast<IMediaControl*>(this);
    if (interfaceId == IID_IMediaEvent) return static_cast<IMediaEvent*>(this);
    if (interfaceId == IID_IBasicAudio) return static_cast<IBasicAudio*>(this);
    if (interfaceId == IID_IMediaSeeking) return static_cast<IMediaSeeking*>(this);
    return nullptr;
  }

  LONGLONG Duration() const {
    return static_cast<LONGLONG>(m_voice.Frames()) * kUnitsPerSecond / Audio::MixerVoice::FramesPerSecond();
  }

  LONGLONG Current() const {
    if (!m_running) return m_position;
    const LONGLONG played = m_position + static_cast<LONGLONG>(timeGetTime() - m_started) * kUnitsPerMillisecond;
    if (played < Duration()) return played;
    // The stream has ended once the mixer, which plays a little behind, has played its last
    // samples too: a track that starts again at once loses none of its end.
    return m_voice.IsPlaying() && Duration() > 0 ? Duration() - 1 : Duration();
  }

  void StartAt(LONGLONG position) {
    m_position = position;
    m_started = timeGetTime();
    m_running = true;
    m_voice.Play(static_cast<std::size_t>(position * Audio::MixerVoice::FramesPerSecond() / kUnitsPerSecond));
  }

  std::atomic<ULONG> m_references{1};
  Audio::MixerVoice m_voice;
  bool m_rendered = false;
  bool m_running = false;
  LONGLONG m_position = 0;
  DWORD m_started = 0;
  long m_volume = 0;
};

}  // namespace
}  // namespace DirectShow
}  // namespace Platform

HRESULT CoInitialize(LPVOID /*reserved*/) {
  HRESULT failure;
  if (Platform::Audio::TakeFailure("CoInitialize", failure)) return Platform::Audio::RecordCall("CoInitialize", failure);
  return S_OK;
}

void CoUninitialize() {}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, LPVOID* object) {
  using Platform::Audio::RecordCall;
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  HRESULT failure;
  if (Platform::Audio::TakeFailure("CoCreateInstance", failure)) return RecordCall("CoCreateInstance", failure);
  if (classId != CLSID_FilterGraph || (context & CLSCTX_INPROC_SERVER) == 0) {
    return RecordCall("CoCreateInstance", REGDB_E_CLASSNOTREG);
  }
  if (outer != nullptr) return RecordCall("CoCreateInstance", Platform::DirectShow::kNoAggregation);
  Platform::DirectShow::FilterGraph* graph;
  try {
    graph = new Platform::DirectShow::FilterGraph;
  } catch (const std::bad_alloc&) {
    return RecordCall("CoCreateInstance", E_OUTOFMEMORY);
  }
  const HRESULT result = static_cast<IGraphBuilder*>(graph)->QueryInterface(interfaceId, object);
  static_cast<IGraphBuilder*>(graph)->Release();
  return RecordCall("CoCreateInstance", result);
}
