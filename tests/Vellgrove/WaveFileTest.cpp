// The WAV reader over fixtures the tests write: the header cases, the data reads and resets,
// truncated and lying files, and a reader opened again after a failure.
#include "KorvexCoreException.h"
#include "TempFolder.h"
#include "WaveBytes.h"
#include "WaveFile.h"

#include "Platform/SoundTestHooks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace TestSupport;
using Vellgrove::WaveFile;

const std::string kPcm16 = FormatBody(1, 1, 22050, 16);

struct HeaderCase {
  const char* what;
  std::string bytes;
  const char* error;          // empty: opens
  unsigned formatTag;
  unsigned extraSize;
  unsigned dataSize;
};

std::vector<HeaderCase> HeaderCases() {
  const std::string extra32 = Pattern(32);
  return {
      {"PCM, 16-byte format chunk", PcmWave(Pattern(1000)), "", 1, 0, 1000},
      {"PCM, 18-byte format chunk: the two extra bytes skipped",
       Riff("WAVE", Chunk("fmt ", kPcm16 + Le16(7)) + Chunk("data", Pattern(10))), "", 1, 0, 10},
      {"non-PCM announcing 32 extra bytes",
       Riff("WAVE", Chunk("fmt ", FormatBody(2, 1, 22050, 4) + Le16(32) + extra32) + Chunk("data", Pattern(8))), "",
       2, 32, 8},
      {"non-PCM 16-byte chunk has no extra size",
       Riff("WAVE", Chunk("fmt ", FormatBody(2, 1, 22050, 4)) + Chunk("data", Pattern(8))), "", 2, 0, 8},
      {"non-PCM extra size pointing past the chunk",
       Riff("WAVE", Chunk("fmt ", FormatBody(2, 1, 22050, 4) + Le16(32)) + Chunk("data", Pattern(64))), "mmioRead",
       0, 0, 0},
      {"non-PCM 17-byte chunk cuts the extra size",
       Riff("WAVE", Chunk("fmt ", FormatBody(2, 1, 22050, 4) + "x") + Chunk("data", Pattern(64))), "mmioRead", 0, 0,
       0},
      {"odd-sized chunk and its pad byte before the data",
       Riff("WAVE", Chunk("fmt ", kPcm16) + Chunk("LIST", "abc") + Chunk("data", Pattern(6))), "", 1, 0, 6},
      {"data before format", Riff("WAVE", Chunk("data", Pattern(6)) + Chunk("fmt ", kPcm16)), "", 1, 0, 6},
      {"RIFX container", Riff("WAVE", Chunk("fmt ", kPcm16) + Chunk("data", Pattern(6)), "RIFX"), "mmioFOURCC", 0,
       0, 0},
      {"AVI form", Riff("AVI ", Chunk("fmt ", kPcm16) + Chunk("data", Pattern(6))), "mmioFOURCC", 0, 0, 0},
      {"no format chunk", Riff("WAVE", Chunk("data", Pattern(6))), "mmioDescend", 0, 0, 0},
      {"no data chunk", Riff("WAVE", Chunk("fmt ", kPcm16)), "mmioDescend", 0, 0, 0},
      {"data chunk outside the RIFF chunk", Riff("WAVE", Chunk("fmt ", kPcm16)) + Chunk("data", Pattern(6)),
       "mmioDescend", 0, 0, 0},
      {"14-byte format chunk", Riff("WAVE", Chunk("fmt ", kPcm16.substr(0, 14)) + Chunk("data", Pattern(6))),
       "sizeof(PCMWAVEFORMAT)", 0, 0, 0},
      {"file cut inside the format chunk", Riff("WAVE", Chunk("fmt ", kPcm16)).substr(0, 28), "mmioRead", 0, 0, 0},
      {"file cut inside the RIFF header", std::string("RIFF\x10\0\0", 7), "mmioDescend", 0, 0, 0},
      {"empty file", std::string(), "mmioDescend", 0, 0, 0},
  };
}

std::string ErrorOfOpen(WaveFile& reader, const std::string& file) {
  try {
    reader.Open(file.c_str());
  } catch (const SCore::KorvexCoreException& error) {
    return error.what();
  }
  return std::string();
}

TEST(WaveFile, HeadersOpenOrFailWithTheStepText) {
  TempFolder folder;
  for (const HeaderCase& example : HeaderCases()) {
    SCOPED_TRACE(example.what);
    WaveFile reader;
    ASSERT_EQ(ErrorOfOpen(reader, folder.Write("case.wav", example.bytes)), example.error);
    if (*example.error != '\0') continue;
    const WAVEFORMATEX* format = reader.GetFormat();
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->wFormatTag, example.formatTag);
    EXPECT_EQ(format->cbSize, example.extraSize);
    EXPECT_EQ(reader.GetSize(), example.dataSize);
    if (example.extraSize == 32) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(format + 1), 32), Pattern(32));
    }
  }
}

TEST(WaveFile, ReadsTheDataInPartsAndAgainAfterAReset) {
  TempFolder folder;
  const std::string data = Pattern(1000);
  WaveFile reader;
  reader.Open(folder.Write("tone.wav", PcmWave(data)).c_str());
  std::vector<BYTE> buffer(1000);
  DWORD read = 0;
  ASSERT_EQ(reader.Read(buffer.data(), 600, &read), S_OK);
  EXPECT_EQ(read, 600u);
  EXPECT_EQ(0, std::memcmp(buffer.data(), data.data(), 600));
  reader.Read(buffer.data() + 600, 600, &read);
  EXPECT_EQ(read, 400u);
  EXPECT_EQ(0, std::memcmp(buffer.data(), data.data(), 1000));
  reader.Read(buffer.data(), 600, &read);
  EXPECT_EQ(read, 0u);
  ASSERT_EQ(reader.ResetFile(), S_OK);
  reader.Read(buffer.data(), 600, &read);
  EXPECT_EQ(read, 600u);
  EXPECT_EQ(0, std::memcmp(buffer.data(), data.data(), 600));
}

TEST(WaveFile, ReadsDataLargerThanItsIoBufferWhole) {
  TempFolder folder;
  const std::string data = Pattern(50001);
  WaveFile reader;
  reader.Open(folder.Write("long.wav", PcmWave(data, 1, 22050, 8)).c_str());
  std::vector<BYTE> buffer(data.size());
  DWORD read = 0;
  reader.Read(buffer.data(), static_cast<DWORD>(buffer.size()), &read);
  ASSERT_EQ(read, data.size());
  EXPECT_EQ(0, std::memcmp(buffer.data(), data.data(), data.size()));
}

TEST(WaveFile, DataCutShortFailsOnTheRead) {
  TempFolder folder;
  const std::string whole = PcmWave(Pattern(1000));
  WaveFile reader;
  reader.Open(folder.Write("cut.wav", whole.substr(0, whole.size() - 990)).c_str());
  EXPECT_EQ(reader.GetSize(), 1000u);
  std::vector<BYTE> buffer(1000);
  DWORD read = 0;
  try {
    reader.Read(buffer.data(), 1000, &read);
    FAIL() << "a read past the end of the file";
  } catch (const SCore::KorvexCoreException& error) {
    EXPECT_STREQ(error.what(), "mmioinfoIn.pchNext");
  }
}

TEST(WaveFile, AFailedOpenLeavesTheReaderReadyForAnother) {
  TempFolder folder;
  WaveFile reader;
  EXPECT_EQ(ErrorOfOpen(reader, folder.Write("bad.wav", Riff("WAVE", Chunk("fmt ", kPcm16)))), "mmioDescend");
  EXPECT_EQ(reader.ResetFile(), CO_E_NOTINITIALIZED);
  EXPECT_EQ(ErrorOfOpen(reader, folder.Write("good.wav", PcmWave(Pattern(20)))), "");
  EXPECT_EQ(reader.GetSize(), 20u);
  EXPECT_EQ(ErrorOfOpen(reader, folder / "missing.wav"), "Find resource");
  EXPECT_EQ(reader.ResetFile(), CO_E_NOTINITIALIZED);
}

TEST(WaveFile, AsksForANameAndAnOpenFile) {
  WaveFile reader;
  BYTE byte;
  DWORD read;
  EXPECT_EQ(reader.Open(nullptr), E_INVALIDARG);
  EXPECT_EQ(reader.Read(&byte, 1, &read), CO_E_NOTINITIALIZED);
  TempFolder folder;
  reader.Open(folder.Write("a.wav", PcmWave(Pattern(4))).c_str());
  EXPECT_EQ(reader.Read(nullptr, 1, &read), E_INVALIDARG);
  EXPECT_EQ(reader.Read(&byte, 1, nullptr), E_INVALIDARG);
}

TEST(WaveFile, WithoutAFileReadsAResourceOfTheName) {
  const std::string data = Pattern(30);
  Platform::Testing::AddModuleResource("sounds\\wave.wav", "WAVE", PcmWave(data));
  Platform::Testing::AddModuleResource("sounds\\wav.wav", "WAV", PcmWave(data.substr(0, 10)));
  for (const std::string& name : {std::string("sounds\\wave.wav"), std::string("sounds\\wav.wav")}) {
    SCOPED_TRACE(name);
    WaveFile reader;
    ASSERT_EQ(ErrorOfOpen(reader, name), "");
    std::vector<BYTE> buffer(reader.GetSize());
    DWORD read = 0;
    reader.Read(buffer.data(), reader.GetSize(), &read);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), data.substr(0, read));
  }
  Platform::Testing::ClearModuleResources();
  WaveFile reader;
  EXPECT_EQ(ErrorOfOpen(reader, "sounds\\wave.wav"), "Find resource");
}

}  // namespace
