// Shipped object and level files with one value spoilt, read as the game reads them: the failure
// says which value of which file to mend.
#include "GameDataFixture.h"
#include "KorvexCoreException.h"
#include "TempFolder.h"
#include "VGLevel.h"
#include "VGLevelPack.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <regex>
#include <string>

using namespace Vellgrove;

namespace {

class BadValues : public GameTest::GameDataFixture {
 protected:
  // The shipped file with the value of the attribute on the first element of that name replaced.
  std::wstring Spoilt(const std::string& shipped, const std::string& element, const std::string& attribute,
                      const std::string& value) {
    std::string text = TestSupport::ReadBytes(shipped);
    std::smatch found;
    const std::regex first("(<" + element + "\\b[^>]*\\s" + attribute + "=\")[^\"]*\"");
    EXPECT_TRUE(std::regex_search(text, found, first)) << element << " " << attribute << " in " << shipped;
    if (!found.empty()) text.replace(found.position(0), found.length(0), found.str(1) + value + "\"");
    const std::string path = folder.Write("spoilt.xml", text);
    return std::wstring(path.begin(), path.end());
  }

  static void LoadObject(const std::wstring& path) { VGPYFactory::LoadGameObject(path); }

  static void LoadLevel(const std::wstring& path) {
    VGLevelPack pack;
    pack.AddLevel("spoilt", path);
    pack.Reset();
    pack.GetLevel();
  }

  // The message of the load failure, which must be the engine's own kind of error.
  static std::string CoreFailureOf(const std::function<void()>& load) {
    try {
      load();
    } catch (const SCore::KorvexCoreException& failure) {
      return failure.what();
    } catch (const std::exception& failure) {
      return std::string("(not a load failure: ") + failure.what() + ")";
    }
    return "(no failure)";
  }
};

}  // namespace

TEST_F(BadValues, ABadNumberOrFlagNamesItsAttributeAndItsFile) {
  struct Case {
    std::string shipped;
    const char* element;
    const char* attribute;
    const char* value;
  };
  const std::string bridge = "gameobjects/bridge.xml";
  const std::string level = "Levels/level01.xml";
  const Case cases[] = {
      {bridge, "GameObject", "IsEnable", "no"},
      {bridge, "GameObject", "RenderOrder", "front"},
      {bridge, "Tile", "ID", "first"},
      {bridge, "HalfSize", "X", "0,15"},
      {bridge, "Body", "Mass", "none"},
      {bridge, "Sprite", "Angle", "flat"},
      {bridge, "Position", "Width", "0.3cm"},
      {bridge, "Filtration1", "IsBilinear", "true"},
      {level, "Level", "SizeX", "1,5"},
      {level, "Level", "PlayTime", "1:00"},
      {level, "Position", "X", "0.1.2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.element) + " " + c.attribute + "=" + c.value);
    const std::wstring path = Spoilt(c.shipped, c.element, c.attribute, c.value);
    const std::string message = CoreFailureOf([&] { c.shipped == level ? LoadLevel(path) : LoadObject(path); });
    const std::string named = std::string("value[") + c.value + "] of attribute[" + c.attribute + "] in element[" +
                              c.element + "]";
    EXPECT_NE(message.find(named), std::string::npos) << message;
    EXPECT_NE(message.find(std::string(path.begin(), path.end())), std::string::npos) << message;
  }
}
