// The game's data set in data/ as the game reads it: every picture loads through the texture code the
// game uses, the overlay texture the fader writes into has the form it needs, the glyph table matches
// the font texture's cells, and the strings file holds every key the game asks for.
#include "SD3D9RenderDevice.h"
#include "SFileHelpers.h"
#include "STinyXMLDeserializator.h"
#include "SViewportFactory.h"
#include "SXMLDeserializator.h"

#include "Platform/CodePage.h"
#include "Platform/D3D9TestHooks.h"
#include "Platform/Win32Window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kDataFolder = std::filesystem::path(KORVEX_SOURCE_DIR) / "data";

// Working in data/, as the game does, so that its relative paths with backslashes are used as written.
class DataFolder {
 public:
  DataFolder() : m_previous(std::filesystem::current_path()) { std::filesystem::current_path(kDataFolder); }
  ~DataFolder() { std::filesystem::current_path(m_previous); }

 private:
  std::filesystem::path m_previous;
};

struct TextureEntry {
  std::string name;
  std::string path;
  bool hasMipLevels;
  UINT mipLevels;
};

std::vector<TextureEntry> ReadTextureList() {
  SCore::SXMLDeserializator reader(L"textures.xml");
  std::vector<TextureEntry> entries;
  reader.DoBeginChild("Textures");
  for (UINT i = 0; i < reader.DoGetChildCount(); ++i) {
    reader.DoBeginChild(i);
    TextureEntry entry{"", "", reader.DoIsAvialableName("MipLevels"), 0};
    reader.DoDeserialize("Name", entry.name);
    reader.DoDeserialize("Path", entry.path);
    if (entry.hasMipLevels) reader.DoDeserialize("MipLevels", entry.mipLevels);
    entries.push_back(entry);
    reader.DoEndChild();
  }
  reader.DoEndChild();
  return entries;
}

class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "Data", "Data", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
    device = viewport->GetRenderDevice();
    device->Create(window, 64, 48, 0, 0);
  }

  void TearDown() override {
    device.reset();
    viewport.reset();
    DestroyWindow(window);
  }

  // Loaded from memory as the application loads the texture list.
  boost::shared_ptr<SCore::STexture> LoadListed(const TextureEntry& entry) {
    const std::vector<char> bytes = ReadFileToBytes(std::wstring(entry.path.begin(), entry.path.end()));
    EXPECT_FALSE(bytes.empty()) << entry.path;
    boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(entry.name);
    if (entry.hasMipLevels) {
      texture->LoadFromMemory(device, bytes.data(), UINT(bytes.size()), entry.mipLevels);
    } else {
      texture->LoadFromMemory(device, bytes.data(), UINT(bytes.size()));
    }
    return texture;
  }

  // Loaded from its file as the loading and splash screens load their pictures.
  boost::shared_ptr<SCore::STexture> LoadFile(const std::string& path) {
    boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(path);
    texture->Load(device, path);
    return texture;
  }

  DataFolder folder;
  HWND window = nullptr;
  boost::shared_ptr<SCore::SViewport> viewport;
  boost::shared_ptr<SCore::SRenderDevice> device;
};

TEST_F(DataSetTest, EveryListedTextureLoadsAndTheGameFindsItsNames) {
  std::set<std::string> names;
  for (const TextureEntry& entry : ReadTextureList()) {
    SCOPED_TRACE(entry.name);
    const boost::shared_ptr<SCore::STexture> texture = LoadListed(entry);
    EXPECT_GT(texture->GetWidth(), 0u);
    names.insert(entry.name);
  }
  for (const char* needed : {"BLACK", "FONT"}) EXPECT_EQ(names.count(needed), 1u) << needed;
}

TEST_F(DataSetTest, BlackIsOneRowOfFourOpaqueBlackArgbTexels) {
  for (const TextureEntry& entry : ReadTextureList()) {
    if (entry.name != "BLACK") continue;
    const boost::shared_ptr<SCore::STexture> black = LoadListed(entry);
    IDirect3DTexture9* native = black->GetNative();
    ASSERT_NE(native, nullptr);
    D3DSURFACE_DESC level{};
    ASSERT_EQ(native->GetLevelDesc(0, &level), D3D_OK);
    EXPECT_EQ(level.Width, 4u);
    EXPECT_EQ(level.Height, 1u);
    EXPECT_EQ(level.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(native->GetLevelCount(), 1u);
    D3DLOCKED_RECT locked{};
    black->DoLockRect(0, &locked, nullptr, 0);
    const DWORD* texels = static_cast<const DWORD*>(locked.pBits);
    const std::vector<DWORD> row(texels, texels + 4);
    black->DoUnlockRect(0);
    EXPECT_EQ(row, std::vector<DWORD>(4, 0xFF000000u));
    return;
  }
  FAIL() << "no BLACK in the texture list";
}

// A texture font samples bilinearly up to its glyph's cell edges: a cell's left column and its top and
// bottom rows must be empty, or the neighbouring glyph shows through.
TEST_F(DataSetTest, FontCellsKeepAnEmptyBorderTowardsTheirNeighbours) {
  constexpr UINT kCells = 16;
  for (const TextureEntry& entry : ReadTextureList()) {
    if (entry.name != "FONT") continue;
    const boost::shared_ptr<SCore::STexture> font = LoadListed(entry);
    const UINT cell = font->GetWidth() / kCells;
    ASSERT_EQ(font->GetHeight() / kCells, cell);
    D3DLOCKED_RECT locked{};
    font->DoLockRect(0, &locked, nullptr, 0);
    auto alpha = [&](UINT x, UINT y) {
      return static_cast<const DWORD*>(locked.pBits)[size_t(y) * UINT(locked.Pitch) / 4 + x] >> 24;
    };
    std::set<std::pair<UINT, UINT>> inkOnBorder;
    for (UINT y = 0; y < font->GetHeight(); ++y) {
      for (UINT x = 0; x < font->GetWidth(); ++x) {
        const bool border = x % cell == 0 || y % cell == 0 || y % cell == cell - 1;
        if (border && alpha(x, y) != 0) inkOnBorder.insert({x / cell, y / cell});
      }
    }
    font->DoUnlockRect(0);
    EXPECT_TRUE(inkOnBorder.empty()) << "first cell with ink on its border: column " << inkOnBorder.begin()->first
                                     << ", row " << inkOnBorder.begin()->second;
    return;
  }
  FAIL() << "no FONT in the texture list";
}

TEST_F(DataSetTest, LoadingPicturesHaveTheSizesTheirScreenRectanglesAssume) {
  struct Picture {
    const char* path;
    UINT width, height;
  };
  // The bar's pictures are drawn to 0.931640625 by 0.921875 of the texture: 477 by 59 of 512 by 64.
  const Picture pictures[] = {{"Loading\\background.dds", 1024, 1024},
                              {"Loading\\animation.dds", 512, 512},
                              {"Loading\\active.dds", 512, 64},
                              {"Loading\\passive.dds", 512, 64}};
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.path);
    const boost::shared_ptr<SCore::STexture> texture = LoadFile(picture.path);
    EXPECT_EQ(texture->GetWidth(), picture.width);
    EXPECT_EQ(texture->GetHeight(), picture.height);
  }
}

TEST_F(DataSetTest, SplashPicturesAreFullScreenTexturesAndNothingElseIsInTheirFolder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator("splash")) {
    EXPECT_TRUE(item.is_regular_file()) << item.path();
    names.push_back(item.path().filename().string());
  }
  EXPECT_GE(names.size(), 2u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const boost::shared_ptr<SCore::STexture> texture = LoadFile("splash\\" + name);
    EXPECT_EQ(texture->GetWidth(), 1024u);
    EXPECT_EQ(texture->GetHeight(), 1024u);
  }
}

TEST(DataSetFiles, GlyphTableGivesEveryWindows1251CharacterItsByteAsCell) {
  DataFolder folder;
  const Platform::CodePage codePage("Russian");
  std::set<unsigned int> expectedCells;
  for (unsigned int byte = 0x20; byte <= 0xFF; ++byte) {
    std::wstring wide;
    if (byte != 0x7F && codePage.ToWide(std::string(1, char(byte)), wide)) expectedCells.insert(byte);
  }
  SCore::SXMLDeserializator reader(L"Res\\font.xml");
  std::set<unsigned int> cells;
  reader.DoBeginChild("font");
  for (UINT i = 0; i < reader.DoGetChildCount(); ++i) {
    reader.DoBeginChild(i);
    unsigned int code = 0, index = 0;
    float width = 0.0f;
    reader.DoDeserialize("code", code);
    reader.DoDeserialize("index", index);
    reader.DoDeserialize("width", width);
    reader.DoEndChild();
    std::string narrow;
    ASSERT_TRUE(codePage.ToNarrow(std::wstring(1, wchar_t(code)), narrow)) << code;
    EXPECT_EQ(narrow, std::string(1, char(index))) << code;
    EXPECT_GT(width, 0.0f) << code;
    EXPECT_LE(width, 1.0f) << code;
    cells.insert(index);
  }
  reader.DoEndChild();
  EXPECT_EQ(cells, expectedCells);
}

TEST(DataSetFiles, StringsFileHoldsEveryKeyTheGameAsksFor) {
  DataFolder folder;
  SCore::STinyXMLDeserializator reader(L"Res\\strings.xml", "Russian");
  std::set<std::string> keys;
  std::wstring title;
  reader.DoBeginChild("strings");
  for (UINT i = 0; i < reader.DoGetChildCount(); ++i) {
    reader.DoBeginChild(i);
    std::string key;
    std::wstring value;
    reader.DoDeserialize("key", key);
    reader.DoDeserialize("value", value);
    if (key == "APPNAME") title = value;
    keys.insert(key);
    reader.DoEndChild();
  }
  reader.DoEndChild();
  for (const char* key : {"APPNAME", "WELCOME", "PLAYER", "LEVEL", "HIGHSCORE", "PLAYLEVEL", "REPLAYLEVEL", "SCORE",
                          "TIME"}) {
    EXPECT_EQ(keys.count(key), 1u) << key;
  }
  EXPECT_EQ(title, L"Glintmoor Dawnkeel");
}

TEST(DataSetFiles, EveryFileTheConfigurationNamesIsThere) {
  DataFolder folder;
  SCore::SXMLDeserializator reader(L"config.xml");
  std::vector<std::string> paths(1);
  reader.DoBeginChild("configuration");
  reader.DoBeginChild("screen");
  reader.DoDeserialize("texturepath", paths[0]);
  reader.DoEndChild();
  reader.DoBeginChild("localization");
  for (const char* element : {"font", "strings", "trophies"}) {
    reader.DoBeginChild(element);
    paths.emplace_back();
    reader.DoDeserialize("path", paths.back());
    reader.DoEndChild();
  }
  for (const std::string& path : paths) EXPECT_TRUE(IsFileExists(std::wstring(path.begin(), path.end()))) << path;
}

}  // namespace
