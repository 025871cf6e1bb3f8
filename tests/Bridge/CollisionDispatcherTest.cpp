// The collision dispatcher against the fixture's "run": the verdict, the contact's sound, the
// pair, the contact and the world handed over, and a failing "run".
#include "GameObjectFixture.h"
#include "LogCapture.h"
#include "ScriptTestSupport.h"
#include "VGContact.h"
#include "VGPYFactory.h"
#include "VGPYGameObjectDispatcher.h"
#include "VGPythonDictionary.h"
#include "VGPythonList.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vellgrove;
using BridgeTest::GameObjectFixture;
using BridgeTest::ObjectXml;
using TestSupport::MessageOf;
using TestSupport::ScriptName;
using TestSupport::StartsWith;

namespace {

class CollisionDispatcherOfObjects : public GameObjectFixture {};

}  // namespace

TEST(CollisionDispatcher, AnswersRunsVerdictAndKeepsTheSoundUntilRunChangesIt) {
  VGPYGameObjectDispatcher dispatcher;
  const boost::shared_ptr<VGPythonObject> first = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  const boost::shared_ptr<VGPythonObject> second = VGPYFactory::CreateByTypeName("VGGOT_SIMPLE");
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  const ScriptName state("state");
  struct Case {
    long state;
    bool respond;
  };
  const Case cases[] = {{0, false}, {1, true}, {2, true}, {0, false}};
  std::string sound = "untouched";
  for (const Case& c : cases) {
    first->SetPropertyValueLong(state, c.state);
    EXPECT_EQ(dispatcher.Dispatch(0.25f, 0.5f, 0.01f, 1.0f, 0.0f, *first, *second, world, sound), c.respond)
        << c.state;
    EXPECT_EQ(sound, "Collide") << "set by the first run only";
  }
}

// The world hands over what the collider found and the two objects as it holds them.
TEST_F(CollisionDispatcherOfObjects, PassesThePairsScriptsTheContactRecordAndTheSameWorldEachTime) {
  const boost::shared_ptr<VGPYGameObject> first = Load(ObjectXml("", ""), "first.xml");
  const boost::shared_ptr<VGPYGameObject> second = Load(ObjectXml("", ""), "second.xml");
  const boost::shared_ptr<VGPythonDictionary> world(new VGPythonDictionary(VGPYFactory::GetInterpreter()));
  VGPYGameObjectDispatcher dispatcher;
  std::string sound;
  VGContact contact;
  contact.PointX = 0.25f;
  contact.PointY = 0.5f;
  contact.PointZ = 3.0f;
  contact.NormalX = -1.0f;
  contact.NormalY = 0.0f;
  contact.NormalZ = 7.0f;
  contact.Depth = 0.125f;
  dispatcher.Dispatch(contact, first, second, world, sound);
  contact.PointX = 0.75f;
  contact.NormalX = 0.0f;
  contact.NormalY = 1.0f;
  dispatcher.Dispatch(contact, second, first, world, sound);

  const ScriptName worlds("worlds");
  const ScriptName seen("seen");
  VGPythonList handed(dispatcher.GetScript()->GetPropertyValue(worlds).GetResult());
  ASSERT_EQ(handed.GetSize(), 2u);
  EXPECT_EQ(handed.GetValue(0).GetResult(), world->GetDictionary());
  EXPECT_EQ(handed.GetValue(1).GetResult(), world->GetDictionary());
  VGPythonLock lock;
  const VGPythonResult last = dispatcher.GetScript()->GetPropertyValue(seen);
  ASSERT_TRUE(PyTuple_Check(last.GetResult()));
  EXPECT_EQ(PyTuple_GetItem(last.GetResult(), 0), second->GetPythonObject()->GetInstance());
  EXPECT_EQ(PyTuple_GetItem(last.GetResult(), 1), first->GetPythonObject()->GetInstance());
  // Point x and y, the depth, then normal x and y; the z components stay behind.
  const double passed[] = {0.75, 0.5, 0.125, 0.0, 1.0};
  for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(PyFloat_AsDouble(PyTuple_GetItem(last.GetResult(), 2 + i)), passed[i]);
}

TEST(CollisionDispatcher, AFailingRunRaisesAndTheNextDispatchWorks) {
  VGPYGameObjectDispatcher dispatcher;
  const boost::shared_ptr<VGPythonObject> first = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  const boost::shared_ptr<VGPythonObject> second = VGPYFactory::CreateByTypeName("VGGOT_SIMPLE");
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  const ScriptName x("x");
  const ScriptName state("state");
  std::string sound;
  first->SetPropertyValueDouble(x, -1.0);
  TestSupport::LogCapture log;
  EXPECT_TRUE(StartsWith(MessageOf([&] { dispatcher.Dispatch(0, 0, 0.1f, 1, 0, *first, *second, world, sound); }),
                         "can't return result from method[run] result. module [vgpy_factory]"));
  EXPECT_NE(log.Text().find(L"run fails on purpose"), std::wstring::npos);
  first->SetPropertyValueDouble(x, 0.0);
  first->SetPropertyValueLong(state, 1);
  EXPECT_TRUE(dispatcher.Dispatch(0, 0, 0.1f, 1, 0, *first, *second, world, sound));
}
