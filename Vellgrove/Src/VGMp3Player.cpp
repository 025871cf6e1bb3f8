#include "VGMp3Player.h"

#include "SLoger.h"
#include "TScopedLock.h"
#include "VGMusicGraph.h"
#include "VGMusicLevels.h"

#include "Platform/MMSystem.h"
#include "Platform/NativePath.h"
#include "Platform/Win32.h"

namespace Vellgrove {

namespace {

typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

const DWORD kHandshakeMilliseconds = 200;
const DWORD kIdleMilliseconds = 100;
const DWORD kFadeMilliseconds = 1000;
const DWORD kFadeStepMilliseconds = 10;

}  // namespace

VGMp3Player::VGMp3Player() { m_isFading.Set(false); }

VGMp3Player::~VGMp3Player() {
  StopImmediately();
  m_isRunning = false;
  m_isFading.Set(false);
  WaitUntilEnded(m_isAlive, "the music thread (VGMp3Player) to end");
}

void VGMp3Player::Play(const std::string& fileName) {
  Sleep(kHandshakeMilliseconds);
  Hold hold(m_requestLock);
  m_fileName = fileName;
  m_playRequested = true;
  ++m_requestNumber;
}

void VGMp3Player::StopImmediately() {
  Hold hold(m_requestLock);
  m_playRequested = false;
}

void VGMp3Player::FadeOut() {
  m_fadeStart = timeGetTime();
  m_fadeDuration = kFadeMilliseconds;
  m_isFading.Set(true);
  StopImmediately();
  Sleep(kHandshakeMilliseconds);
}

void VGMp3Player::Resume() {
  Hold hold(m_requestLock);
  m_playRequested = true;
  ++m_requestNumber;
}

bool VGMp3Player::TakeRequest(std::string& fileName, unsigned& request) {
  Hold hold(m_requestLock);
  fileName = m_fileName;
  request = m_requestNumber;
  return m_playRequested;
}

bool VGMp3Player::IsRequested() {
  Hold hold(m_requestLock);
  return m_playRequested;
}

void VGMp3Player::Run() {
  m_isAlive = 1;
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
  try {
    if (SUCCEEDED(CoInitialize(nullptr))) {
      PlayRequests();
      CoUninitialize();
    }
  } catch (...) {
    SCore::g_Loger << SCore::GetTimeStamp() + " exception in VGMp3Player\n";
  }
  // The last touch of this object: the destructor may go on once it reads 0.
  m_isAlive = 0;
}

void VGMp3Player::PlayRequests() {
  while (m_isRunning) {
    std::string fileName;
    unsigned request = 0;
    if (!TakeRequest(fileName, request)) {
      // A fade asked while nothing plays would otherwise fade and stop the next track.
      m_isFading.Set(false);
      Sleep(kIdleMilliseconds);
      continue;
    }
    if (!PlayTrack(fileName, request)) return;
  }
}

bool VGMp3Player::PlayTrack(const std::string& fileName, unsigned request) {
  VGMusicGraph graph;
  if (!graph.Create()) return false;
  if (FAILED(graph.builder->RenderFile(Platform::Utf8ToWide(fileName).c_str(), nullptr)) ||
      FAILED(graph.control->Run())) {
    ReportUnplayable(fileName, request);
    graph.control->Stop();
    Sleep(kIdleMilliseconds);
    return true;
  }
  LoopWhileRequested(graph);
  FadeToSilence(graph);
  graph.control->Stop();
  return true;
}

void VGMp3Player::LoopWhileRequested(VGMusicGraph& graph) {
  while (IsRequested() && !m_isFading.Get()) {
    graph.audio->put_Volume(PlayLevel(m_volume));
    long event = 0;
    graph.events->WaitForCompletion(static_cast<long>(kIdleMilliseconds), &event);
    LONGLONG current = 0, stop = 0;
    graph.seeking->GetPositions(&current, &stop);
    if (current == stop) {
      current = 0;
      graph.seeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning);
    }
  }
}

void VGMp3Player::FadeToSilence(VGMusicGraph& graph) {
  while (m_isFading.Get()) {
    const float progress = FadeProgress(timeGetTime() - m_fadeStart, m_fadeDuration);
    if (progress >= 1.0f) {
      m_isFading.Set(false);
      return;
    }
    graph.audio->put_Volume(FadeLevel(progress, m_volume));
    // The curve needs no finer steps, and a busy poll would take a core for the whole fade.
    Sleep(kFadeStepMilliseconds);
  }
}

void VGMp3Player::ReportUnplayable(const std::string& fileName, unsigned request) {
  if (request == m_lastReported) return;
  m_lastReported = request;
  SCore::g_Loger << SCore::GetTimeStamp() + " VGMp3Player can't play " + fileName + ", trying again\n";
}

}  // namespace Vellgrove
