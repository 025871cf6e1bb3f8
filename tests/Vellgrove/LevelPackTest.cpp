// The level packs are read again while the game runs (the developer's reload): a read that fails
// leaves the pack as it was, and the world map's clicks on the input thread, which read names while
// the main thread reads the pack again, always find a whole pack.
#include "SXMLDeserializator.h"
#include "TempFolder.h"
#include "VGLevelPack.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <exception>
#include <string>
#include <thread>
#include <vector>

using Vellgrove::VGLevelPack;

namespace {

class LevelPackReads : public ::testing::Test {
 protected:
  // The level files as far as a pack reads them: the names in their top element.
  std::string WriteLevel(const std::string& name, bool withShowName = true) {
    const std::string showName = withShowName ? " ShowName=\"Shown " + name + "\"" : "";
    return folder.Write(name + ".xml", "<Level Name=\"" + name + "\"" + showName + "></Level>");
  }

  std::wstring WritePack(const std::string& file, const std::vector<std::pair<std::string, std::string>>& levels) {
    std::string text = "<LevelPack>";
    for (const auto& level : levels) text += "<Level Path=\"" + level.second + "\" Name=\"" + level.first + "\"></Level>";
    const std::string path = folder.Write(file, text + "</LevelPack>");
    return std::wstring(path.begin(), path.end());
  }

  std::wstring WriteWholePack(const std::string& file, const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::string>> levels;
    for (const std::string& name : names) levels.emplace_back(name, WriteLevel(name));
    return WritePack(file, levels);
  }

  static void Read(VGLevelPack& pack, const std::wstring& path) {
    SCore::SXMLDeserializator reader(path);
    pack.DoDeserialize(reader);
  }

  static std::string FailureOf(VGLevelPack& pack, const std::wstring& path) {
    try {
      Read(pack, path);
    } catch (const std::exception& failure) {
      return failure.what();
    }
    return "";
  }

  TestSupport::TempFolder folder;
};

}  // namespace

// Each row is a pack file broken another way; reading it fails and the earlier pack stands whole,
// its cursor where it was.
TEST_F(LevelPackReads, AReadThatFailsLeavesTheEarlierPackWhole) {
  const std::vector<std::string> earlier = {"a", "b", "c"};
  VGLevelPack pack;
  Read(pack, WriteWholePack("earlier.xml", earlier));
  pack.SetCurrentLevel("b");
  const std::string x = WriteLevel("x");
  const struct {
    const char* what;
    std::wstring file;
    const char* failure;
  } rows[] = {
      {"a level without its shown name",
       WritePack("noshow.xml", {{"x", x}, {"y", WriteLevel("y", false)}, {"z", WriteLevel("z")}}), "ShowName"},
      {"a level file that is missing", WritePack("missing.xml", {{"x", x}, {"gone", folder / "gone.xml"}}),
       "not found"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string failure = FailureOf(pack, row.file);
    EXPECT_NE(failure.find(row.failure), std::string::npos) << failure;
    ASSERT_EQ(pack.GetLevelCount(), earlier.size());
    for (unsigned int i = 0; i < earlier.size(); ++i) {
      ASSERT_EQ(pack.GetLevelName(i), earlier[i]);
      EXPECT_EQ(pack.GetLevelShowName(i), "Shown " + earlier[i]);
    }
    EXPECT_EQ(pack.GetCurrentLevelName(), "b");
    EXPECT_EQ(pack.GetCurrentLevelShowName(), "Shown b");
  }
}

// The map's reads on another thread, as its pot clicks make them, while the pack is read again
// and again: every pass sees all the levels, each with its own shown name.
TEST_F(LevelPackReads, AReaderOnAnotherThreadSeesAWholePackWhileItIsReadAgain) {
  std::vector<std::string> names;
  for (char c = 'a'; c <= 'p'; ++c) names.push_back(std::string(1, c));
  const std::wstring file = WriteWholePack("pack.xml", names);
  VGLevelPack pack;
  Read(pack, file);

  std::atomic<bool> stop{false};
  std::atomic<int> passes{0};
  int tornPasses = 0;
  std::string firstTear;
  std::thread map([&] {
    while (!stop) {
      std::string tear;
      try {
        const unsigned int count = pack.GetLevelCount();
        if (count != names.size()) tear = "a pack of " + std::to_string(count) + " levels";
        for (unsigned int i = 0; i < count && tear.empty(); ++i) {
          const std::string name = pack.GetLevelName(i);
          if (pack.GetLevelShowName(i) != "Shown " + name) tear = "level " + name + " without its shown name";
        }
      } catch (const std::exception& failure) {
        tear = failure.what();
      }
      if (!tear.empty() && tornPasses++ == 0) firstTear = tear;
      ++passes;
    }
  });
  ASSERT_TRUE(TestSupport::WaitUntil([&] { return passes > 0; }));
  for (int read = 0; read < 200; ++read) Read(pack, file);
  stop = true;
  map.join();
  EXPECT_EQ(tornPasses, 0) << "first: " << firstTear << " (" << passes << " passes)";
}
