#include "SLoger.h"
#include "SOutputDeviceFile.h"
#include "SOutputDeviceNull.h"
#include "TScopedLock.h"
#include "utf8_conversion.h"

#include "Platform/NativePath.h"
#include "Platform/TestHooks.h"

#include "LogCapture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

using SCore::SLoger;
using SCore::SOutputDevice;
using SCore::utf8_conversion;
using TestSupport::CaptureDevice;
using TestSupport::TempFolder;

namespace {

boost::shared_ptr<SOutputDevice> FileDevice(const std::string& path) {
  return boost::shared_ptr<SOutputDevice>(new SCore::SOutputDeviceFile(Platform::Utf8ToWide(path).c_str()));
}

}  // namespace

TEST(Logger, EachValueKindReachesTheDeviceAsItIsWritten) {
  boost::shared_ptr<CaptureDevice> device(new CaptureDevice);
  SLoger logger(device);
  logger << " Create D3D Device...\n" << std::string("caf\xE9") << -5 << 4294967295u << 0;
  EXPECT_EQ(device->Text(), L" Create D3D Device...\ncaf\xE9-542949672950");
  logger << "\xFF";
  EXPECT_EQ(device->Text().back(), wchar_t(0xFF)) << "bytes widen as unsigned values";
  const std::size_t before = device->Text().size();
  int value = 0;
  logger << static_cast<const void*>(&value);
  EXPECT_GT(device->Text().size(), before);
}

TEST(Logger, FloatsTakeTheStreamsDefaultForm) {
  boost::shared_ptr<CaptureDevice> device(new CaptureDevice);
  SLoger logger(device);
  logger << 0.5f << " " << 1.0f << " " << 1234567.0f << " " << -0.125f;
  EXPECT_EQ(device->Text(), L"0.5 1 1.23457e+06 -0.125");
}

TEST(Logger, ABlockWrittenUnderTheLoggersLockStaysTogether) {
  boost::shared_ptr<CaptureDevice> device(new CaptureDevice);
  SLoger logger(device);
  std::thread other;
  {
    KorvexEngine::TScopedLock<SLoger> hold(logger);
    logger << "first\n";
    other = std::thread([&logger] { logger << "other\n"; });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    logger << "second\n";
  }
  other.join();
  EXPECT_EQ(device->Text(), L"first\nsecond\nother\n");
}

TEST(Logger, NullDeviceSwallowsEverything) {
  SLoger logger(boost::shared_ptr<SOutputDevice>(new SCore::SOutputDeviceNull));
  EXPECT_NO_THROW(logger << "text" << std::string("more") << 1 << 2u << static_cast<const void*>(nullptr));
}

TEST(Logger, ADeviceThatLogsFromBeginDoesNotDeadlock) {
  struct ReentrantDevice : CaptureDevice {
    SLoger* logger = nullptr;
    bool inside = false;
    void Begin() override {
      CaptureDevice::Begin();
      if (logger != nullptr && !inside) {
        inside = true;
        *logger << "[nested]";
        inside = false;
      }
    }
  };
  boost::shared_ptr<ReentrantDevice> device(new ReentrantDevice);
  SLoger logger(device);
  device->logger = &logger;
  logger << "outer";
  EXPECT_EQ(device->Text(), L"[nested]outer");
}

TEST(TimeStamp, DateAndTimeArePaddedAsTheLogFormExpects) {
  const struct {
    SYSTEMTIME time;
    const char* stamp;
  } cases[] = {
      {{2011, 3, 6, 5, 9, 5, 3, 0}, "2011-03-05  9:05:03"},
      {{1999, 12, 5, 31, 23, 59, 59, 999}, "1999-12-31 23:59:59"},
      {{2026, 1, 4, 1, 0, 0, 0, 0}, "2026-01-01  0:00:00"},
  };
  for (const auto& c : cases) {
    Platform::Testing::SetFakeLocalTime(c.time);
    EXPECT_EQ(SCore::GetTimeStamp(), c.stamp);
  }
  Platform::Testing::UseRealLocalTime();
}

class Utf8Facet : public testing::Test {
 protected:
  struct Facet : utf8_conversion {
    using utf8_conversion::do_in;
    using utf8_conversion::do_max_length;
    using utf8_conversion::do_out;
  };

  // The bytes of one wide text, with room for at most `room` bytes; also what was consumed.
  std::string Out(const std::wstring& text, std::size_t room, std::size_t* consumed = nullptr,
                  std::codecvt_base::result* outcome = nullptr) {
    std::mbstate_t state{};
    std::vector<char> bytes(room + 1);
    const wchar_t* fromNext = nullptr;
    char* toNext = nullptr;
    const auto result = facet.do_out(state, text.data(), text.data() + text.size(), fromNext, bytes.data(),
                                     bytes.data() + room, toNext);
    if (consumed) *consumed = static_cast<std::size_t>(fromNext - text.data());
    if (outcome) *outcome = result;
    return std::string(bytes.data(), toNext);
  }

  Facet facet;
};

TEST_F(Utf8Facet, EncodesEachUnitAndWritesLineFeedsAsCarriageReturnLineFeed) {
  const struct {
    wchar_t unit;
    const char* bytes;
  } cases[] = {
      {0x41, "A"},
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0xE9, "\xC3\xA9"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0x20AC, "\xE2\x82\xAC"},
      {0xD800, "\xED\xA0\x80"},
      {0x1F600, "\xF0\x9F\x98\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {0x110000, "\xEF\xBF\xBD"},
      {L'\n', "\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Out(std::wstring(1, c.unit), 8), c.bytes) << std::hex << c.unit;
  EXPECT_EQ(facet.do_max_length(), 4);
}

TEST_F(Utf8Facet, StopsBeforeAUnitThatDoesNotFitAndSaysSo) {
  std::size_t consumed = 0;
  std::codecvt_base::result outcome;
  EXPECT_EQ(Out(L"ab\x20AC", 3, &consumed, &outcome), "ab");
  EXPECT_EQ(consumed, 2u);
  EXPECT_EQ(outcome, std::codecvt_base::partial);
  EXPECT_EQ(Out(L"a\n", 2, &consumed, &outcome), "a");
  EXPECT_EQ(outcome, std::codecvt_base::partial);
  Out(L"ab", 2, &consumed, &outcome);
  EXPECT_EQ(outcome, std::codecvt_base::ok);
}

TEST_F(Utf8Facet, DecodesBytesAndReportsATruncatedSequence) {
  std::mbstate_t state{};
  const std::string bytes = "a\xC3\xA9\xE2\x82";
  wchar_t wide[8];
  const char* fromNext = nullptr;
  wchar_t* toNext = nullptr;
  const auto outcome = facet.do_in(state, bytes.data(), bytes.data() + bytes.size(), fromNext, wide, wide + 8, toNext);
  EXPECT_EQ(outcome, std::codecvt_base::partial);
  EXPECT_EQ(std::wstring(wide, toNext), L"a\xE9");
  EXPECT_EQ(fromNext, bytes.data() + 3);
}

TEST(LogFile, IsUtf8WithCarriageReturnsAndNoSignature) {
  TempFolder folder;
  const std::string path = folder / "log.txt";
  {
    SLoger logger(FileDevice(path));
    logger << "a\nb" << std::string(" caf\xE9\n");
  }
  EXPECT_EQ(TestSupport::ReadBytes(path), "a\r\nb caf\xC3\xA9\r\n");
}

// The log is read while the program runs, and must hold everything written before a crash.
TEST(LogFile, HoldsEachWriteAtOnce) {
  TempFolder folder;
  const std::string path = folder / "log.txt";
  SLoger logger(FileDevice(path));
  logger << "started\n";
  EXPECT_EQ(TestSupport::ReadBytes(path), "started\r\n");
  logger << 42;
  EXPECT_EQ(TestSupport::ReadBytes(path), "started\r\n42");
}

TEST(LogFile, IsEmptiedAtEachStartAndKeepsLongLinesWhole) {
  TempFolder folder;
  const std::string path = folder.Write("log.txt", "old content\n");
  const std::string longLine(100000, '\xE9');
  {
    SLoger logger(FileDevice(path));
    logger << longLine;
  }
  const std::string bytes = TestSupport::ReadBytes(path);
  ASSERT_EQ(bytes.size(), 2 * longLine.size());
  EXPECT_EQ(bytes.find_first_not_of("\xC3\xA9"), std::string::npos);
}

TEST(LogFile, AFileThatCannotBeMadeLeavesTheProgramRunningWithoutALog) {
  TempFolder folder;
  const boost::shared_ptr<SOutputDevice> device = FileDevice(folder / "no-such-folder/log.txt");
  SLoger logger(device);
  EXPECT_NO_THROW(logger << "dropped\n" << 5);
  EXPECT_TRUE(device->IsEnabled());
  EXPECT_FALSE(std::filesystem::exists(folder / "no-such-folder"));
}

TEST(LogFile, TwoThreadsWritingAtOnceNeverBreakACharactersBytes) {
  TempFolder folder;
  const std::string path = folder / "log.txt";
  const std::string cyrillic = "\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5";
  const int linesPerThread = 2000;
  {
    SLoger logger(FileDevice(path));
    auto writer = [&](const std::string& word) {
      for (int i = 0; i < linesPerThread; ++i) logger << SCore::GetTimeStamp() << word << "\n";
    };
    std::thread first(writer, std::string(" \xE9\xE9\xE9 first"));
    std::thread second(writer, std::string(" second ") + cyrillic);
    first.join();
    second.join();
  }
  const std::string bytes = TestSupport::ReadBytes(path);
  EXPECT_TRUE(Platform::IsValidUtf8(bytes));
  std::size_t firsts = 0, seconds = 0;
  for (std::size_t at = 0; (at = bytes.find(" \xC3\xA9\xC3\xA9\xC3\xA9 first", at)) != std::string::npos; ++at) ++firsts;
  for (std::size_t at = 0; (at = bytes.find(" second ", at)) != std::string::npos; ++at) ++seconds;
  EXPECT_EQ(firsts, static_cast<std::size_t>(linesPerThread));
  EXPECT_EQ(seconds, static_cast<std::size_t>(linesPerThread));
}
