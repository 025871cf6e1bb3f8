// The object list and the factory's table from object name to file.
#include "ScriptTestSupport.h"
#include "SXMLDeserializator.h"
#include "TempFolder.h"
#include "VGGameObjectFactory.h"
#include "VGPYFactory.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vellgrove;
using TestSupport::MessageOf;
using TestSupport::StartsWith;

namespace {

std::string ObjectFile(const std::string& name, const std::string& type) {
  return "<GameObject Name=\"" + name + "\" GameObjectType=\"" + type + "\">\n</GameObject>\n";
}

// A list in a folder of its own, its object files in "objects" beside it.
class ObjectListFixture : public ::testing::Test {
 protected:
  std::wstring WriteList(const std::string& children) {
    const std::string list = "<world directory=\"" + (m_folder / "objects") + "\">\n" + children + "</world>\n";
    const std::string path = m_folder.Write("list.xml", list);
    return std::wstring(path.begin(), path.end());
  }
  void WriteObject(const std::string& file, const std::string& name, const std::string& type) {
    m_folder.Write("objects/" + file, ObjectFile(name, type));
  }
  std::wstring ObjectPath(const std::string& file) {
    const std::string path = (m_folder / "objects") + "\\" + file;
    return std::wstring(path.begin(), path.end());
  }

  TestSupport::TempFolder m_folder;
};

}  // namespace

TEST_F(ObjectListFixture, AnEmptyListFindsNothing) {
  VGGameObjectFactory::LoadGameObjects(WriteList(""));
  EXPECT_TRUE(StartsWith(MessageOf([] { VGPYFactory::FindGameObjectFile("Tovemmar"); }),
                         "Game Object:Tovemmar not found in game object factory"));
}

TEST_F(ObjectListFixture, EveryChildCountsWhateverItsElementName) {
  WriteObject("hero.xml", "Tovemmar", "VGGOT_ACTOR");
  WriteObject("wall.xml", "WallPiece", "VGGOT_WALL");
  WriteObject("gate.xml", "Gate", "VGGOT_PORTAL");
  VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj file=\"hero.xml\"></Obj>\n  <Thing file=\"wall.xml\"></Thing>\n"
                                                 "  <x file=\"gate.xml\"></x>\n"));
  EXPECT_EQ(VGPYFactory::FindGameObjectFile("Tovemmar"), ObjectPath("hero.xml"));
  EXPECT_EQ(VGPYFactory::FindGameObjectFile("WallPiece"), ObjectPath("wall.xml"));
  EXPECT_EQ(VGPYFactory::FindGameObjectFile("Gate"), ObjectPath("gate.xml"));
}

TEST_F(ObjectListFixture, ADuplicateNameStopsTheListAndTheFirstStays) {
  WriteObject("one.xml", "Twin", "VGGOT_ACTOR");
  WriteObject("two.xml", "Twin", "VGGOT_WALL");
  const std::string message = MessageOf([&] {
    VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj file=\"one.xml\"></Obj>\n  <Obj file=\"two.xml\"></Obj>\n"));
  });
  EXPECT_TRUE(StartsWith(message, "Game object:Twin already exist in factory")) << message;
  EXPECT_NE(message.find("VGGameObjectFactory::LoadGameObjects()"), std::string::npos) << message;
  EXPECT_EQ(VGPYFactory::FindGameObjectFile("Twin"), ObjectPath("one.xml"));
}

TEST_F(ObjectListFixture, ASecondListStartsTheTableAfresh) {
  WriteObject("hero.xml", "Tovemmar", "VGGOT_ACTOR");
  VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj file=\"hero.xml\"></Obj>\n"));
  VGGameObjectFactory::LoadGameObjects(WriteList(""));
  EXPECT_FALSE(MessageOf([] { VGPYFactory::FindGameObjectFile("Tovemmar"); }).empty());
}

// Each object made from a file has a script instance of its own, of the file's type.
TEST_F(ObjectListFixture, EachObjectOfAFileHasItsOwnScript) {
  WriteObject("hero.xml", "Tovemmar", "VGGOT_ACTOR");
  VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj file=\"hero.xml\"></Obj>\n"));
  SCore::SXMLDeserializator first(VGPYFactory::FindGameObjectFile("Tovemmar"));
  SCore::SXMLDeserializator second(VGPYFactory::FindGameObjectFile("Tovemmar"));
  const boost::shared_ptr<VGPythonObject> one = VGPYFactory::CreateScriptOfGameObject(first);
  const boost::shared_ptr<VGPythonObject> two = VGPYFactory::CreateScriptOfGameObject(second);
  EXPECT_EQ(one->GetClassName(), "VGGOT_ACTOR");
  EXPECT_NE(one->GetInstance(), two->GetInstance());
  first.DoBeginChild("GameObject");
  EXPECT_EQ(first.GetNodeName(), "GameObject") << "the reader is back at the document's root";
}

TEST_F(ObjectListFixture, AMissingFileOrAttributeIsReported) {
  EXPECT_FALSE(MessageOf([&] { VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj file=\"none.xml\"></Obj>\n")); })
                   .empty());
  m_folder.Write("objects/nameless.xml", "<GameObject GameObjectType=\"VGGOT_WALL\">\n</GameObject>\n");
  EXPECT_FALSE(
      MessageOf([&] { VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj file=\"nameless.xml\"></Obj>\n")); })
          .empty());
  EXPECT_FALSE(MessageOf([&] { VGGameObjectFactory::LoadGameObjects(WriteList("  <Obj></Obj>\n")); }).empty());
}

TEST(GameObjectList, TheGamesListLoads) {
  EXPECT_NO_THROW(VGGameObjectFactory::LoadGameObjects(L"gameobjects\\quessaworldNEW.xml"));
}
