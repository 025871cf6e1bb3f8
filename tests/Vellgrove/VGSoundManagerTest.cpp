// Sound effects by name over the stand-in on the dummy driver: volumes, voices that end by
// themselves, requests dropped while every voice is busy, the buffer's fill, and the failure texts.
#include "KorvexCoreException.h"
#include "TempFolder.h"
#include "VGSoundManager.h"
#include "WaitUntil.h"
#include "WaveBytes.h"

#include "Platform/SoundTestHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace TestSupport;
using Vellgrove::VGSoundManager;

class SoundManagerTest : public ::testing::Test {
 protected:
  SoundManagerTest()
      : m_long(m_folder.Write("long.wav", ToneWave(3000))), m_short(m_folder.Write("short.wav", ToneWave(60))) {
    Platform::Testing::StartRecordingSoundCalls();
  }
  ~SoundManagerTest() override {
    Platform::Testing::StopRecordingSoundCalls();
    Platform::Testing::ClearSoundFailures();
  }

  static long Count(const char* call) {
    const auto calls = Platform::Testing::RecordedSoundCalls();
    return std::count_if(calls.begin(), calls.end(), [call](const Platform::Testing::SoundCall& made) {
      return made.call == call;
    });
  }

  static std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const SCore::KorvexCoreException& error) {
      return error.what();
    }
    return std::string();
  }

  TempFolder m_folder;
  std::string m_long;
  std::string m_short;
  VGSoundManager m_manager{nullptr};
};

TEST_F(SoundManagerTest, VoicesTakeTheVolumeInHundredthsOfADecibel) {
  m_manager.AddSound("Click", m_long, 1);
  auto& voice = *m_manager.GetVoices("Click").front();
  EXPECT_EQ(voice.GetVolume(), 0);
  const struct {
    float volume;
    LONG level;
  } table[] = {{100.0f, 0}, {0.5f, -5000}, {100.0f, -5000}, {0.0f, -10000}, {1.0f, 0}, {0.25f, -7500}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.volume);
    m_manager.m_volume = row.volume;
    m_manager.StopSound("Click");
    m_manager.PlaySound("Click");
    EXPECT_EQ(voice.GetVolume(), row.level);
  }
}

TEST_F(SoundManagerTest, AVoiceEndsByItself) {
  m_manager.AddSound("Step", m_short, 1);
  m_manager.PlaySound("Step");
  EXPECT_TRUE(m_manager.IsPlaying("Step"));
  EXPECT_TRUE(WaitUntil([this] { return !m_manager.IsPlaying("Step"); }));
  m_manager.PlaySound("Step");
  EXPECT_EQ(Count("Play"), 2);
}

TEST_F(SoundManagerTest, RequestsBeyondTheVoicesAreDropped) {
  m_manager.AddSound("Kill", m_long, 1);
  m_manager.AddSound("Score", m_long, 10);
  m_manager.PlaySound("Kill");
  m_manager.PlaySound("Kill");
  EXPECT_EQ(Count("Play"), 1);
  for (int i = 0; i < 11; ++i) m_manager.PlaySound("Score");
  EXPECT_EQ(Count("Play"), 11);
  m_manager.StopSound("Score");
  EXPECT_FALSE(m_manager.IsPlaying("Score"));
  EXPECT_TRUE(m_manager.IsPlaying("Kill"));
}

TEST_F(SoundManagerTest, ANameWithoutVoicesPlaysNothing) {
  m_manager.AddSound("Quiet", m_long, 0);
  m_manager.PlaySound("Quiet");
  EXPECT_FALSE(m_manager.IsPlaying("Quiet"));
  EXPECT_EQ(Count("Play"), 0);
}

TEST_F(SoundManagerTest, UnknownNamesAreReported) {
  EXPECT_EQ(ErrorOf([this] { m_manager.StopSound("Nope"); }), "unknown sound name:Nope");
  EXPECT_EQ(ErrorOf([this] { m_manager.PlaySound("Nope"); }).rfind("unknown sound name:Nope VGSoundManager::PlaySound()", 0), 0u);
  EXPECT_EQ(ErrorOf([this] { m_manager.IsPlaying("Nope"); }).rfind("unknown sound name:Nope VGSoundManager::IsPlaying()", 0), 0u);
}

TEST_F(SoundManagerTest, AFailedSoundNamesItselfAndKeepsTheVoicesItHad) {
  m_manager.AddSound("Click", m_long, 2);
  const std::string broken = m_folder.Write("broken.wav", ToneWave(100).substr(0, 30));
  const std::string error = ErrorOf([&] { m_manager.AddSound("Click", broken, 3); });
  EXPECT_NE(error.find("mmioRead VGSoundBuffer::CreateSoundBuffers()"), std::string::npos) << error;
  EXPECT_NE(error.find("VGSoundBuffer::Create()"), std::string::npos) << error;
  EXPECT_NE(error.find("VGSoundManager::AddSound() sound \"Click\" file \"" + broken + "\""), std::string::npos)
      << error;
  EXPECT_EQ(m_manager.GetVoices("Click").size(), 2u);
  m_manager.PlaySound("Click");
  EXPECT_TRUE(m_manager.IsPlaying("Click"));
}

TEST_F(SoundManagerTest, DeviceFailuresHaveTheirTexts) {
  const struct {
    const char* call;
    HRESULT result;
    const char* text;
  } table[] = {
      {"DirectSoundCreate8", DSERR_NODRIVER, "can't create DirectSound"},
      {"SetCooperativeLevel", DSERR_INVALIDPARAM, "can't set cooperative level"},
      {"CreateSoundBuffer", DSERR_OUTOFMEMORY, "can't create primary buffer"},
      {"SetFormat", DSERR_UNSUPPORTED, "can't set primary buffer format(DSERR_UNSUPPORTED)"},
      {"SetFormat", DSERR_OUTOFMEMORY, "can't set primary buffer format(DSERR_OUTOFMEMORY)"},
      {"SetFormat", DSERR_INVALIDPARAM, "can't set primary buffer format(DSERR_INVALIDPARAM)"},
      {"SetFormat", DSERR_INVALIDCALL, "can't set primary buffer format(DSERR_INVALIDCALL)"},
      {"SetFormat", DSERR_PRIOLEVELNEEDED, "can't set primary buffer format(DSERR_PRIOLEVELNEEDED)"},
      {"SetFormat", DSERR_BADFORMAT, "can't set primary buffer format(DSERR_BADFORMAT)"},
      {"SetFormat", E_FAIL, "can't set primary buffer format(UNKNOWN ERROR)"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.text);
    Platform::Testing::FailNextSoundCall(row.call, row.result);
    const std::string error = ErrorOf([this] { m_manager.AddSound("Gate", m_long, 1); });
    EXPECT_EQ(error.rfind(std::string(row.text) + " ", 0), 0u) << error;
  }
  EXPECT_EQ(ErrorOf([this] { m_manager.GetVoices("Gate"); }), "unknown sound name:Gate");
}

TEST_F(SoundManagerTest, ABufferLongerThanItsDataRepeatsItOrIsSilent) {
  const struct {
    const char* what;
    std::string wave;
    std::string filled;
  } table[] = {
      {"data repeats", PcmWave("abcdefghij", 1, 22050, 8), "abcdefghijabcdefghijabcde"},
      {"no data, 8-bit", PcmWave("", 1, 22050, 8), std::string(25, '\x80')},
      {"no data, 16-bit", PcmWave("", 1, 22050, 16), std::string(25, '\0')},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.what);
    Vellgrove::WaveFile reader;
    reader.Open(m_folder.Write("fill.wav", row.wave).c_str());
    std::string buffer(25, 'z');
    Vellgrove::VGSoundBuffer::FillFromReader(reader, reinterpret_cast<BYTE*>(&buffer[0]), 25);
    EXPECT_EQ(buffer, row.filled);
  }
}

}  // namespace
