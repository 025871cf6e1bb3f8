// The world against the fixture's recording objects and collision script: which pairs meet, the
// response to a contact, stepping, the dictionary, the world file, the drawing order and the
// background's clock.
#include "GameObjectFixture.h"
#include "SXMLDeserializator.h"
#include "VGBackGround.h"
#include "VGGameObjectFactory.h"
#include "VGLevel.h"
#include "VGPYGameObjectDispatcher.h"
#include "VGPythonDictionary.h"
#include "VGPythonList.h"
#include "VGWorld.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace BridgeTest;
using TestSupport::MessageOf;

namespace {

std::string Flag(const char* name, bool value) {
  return std::string("<A Name=\"") + name + "\" Value=\"" + (value ? "1" : "0") + "\" Type=\"Boolean\"></A>";
}

class World : public GameObjectFixture {
 protected:
  void SetUp() override {
    GameObjectFixture::SetUp();
    for (const char* texture : {"PTR", "ANGEL", "SKELETON", "PORTALPTR"}) {
      viewport->GetTextureManager()->AddTexture(Texture(texture, 4, 4, 0xFFFFFFFF));
    }
    world.reset(new VGWorld);
  }
  void TearDown() override {
    world.reset();
    GameObjectFixture::TearDown();
  }

  // A recording object at the given box, static or not, enabled or not.
  boost::shared_ptr<VGPYGameObject> Place(const std::string& name, float x, float y, bool isStatic,
                                          bool enabled = true, float mass = 1.0f) {
    const boost::shared_ptr<VGPYGameObject> object =
        Load(ObjectXml("<S Name=\"idle\"></S>", Flag("is_static", isStatic), enabled ? "1" : "0", name));
    object->SetPosition({x, y, 0.0f});
    object->SetHalfSize({0.5f, 0.5f, 0.0f});
    object->SetMass(mass);
    object->SetVelocity({0.0f, 0.0f, 0.0f});
    world->AddGameObject(object);
    return object;
  }

  std::string Pairs() {
    PyObject* dispatcher = world->GetDispatcher()->GetScript()->GetInstance();
    Run(dispatcher, "import builtins\nbuiltins.answer = repr(o.pairs)");
    VGPythonLock lock;
    PyObject* builtins = PyEval_GetBuiltins();
    return PyUnicode_AsUTF8(PyDict_GetItemString(builtins, "answer"));
  }

  boost::shared_ptr<VGWorld> world;
};

}  // namespace

TEST_F(World, StaticsMeetMoversAndEachPairOfMoversMeetsOnceTheEarlierFirst) {
  Place("S1", 0, 0, true);
  Place("S2", 0, 0, true, false);
  Place("D1", 0, 0, false);
  Place("D2", 0, 0, false);
  Place("D3", 0, 0, false, false);
  Place("S3", 5, 5, true);  // apart from everything
  world->CollisionDetection();
  EXPECT_EQ(Pairs(), "[('D1', 'S1'), ('D2', 'S1'), ('D1', 'D2')]");
}

TEST_F(World, AContactIsAnsweredByTheMassesWithTheSidewaysImpulseTripled) {
  struct Case {
    const char* what;
    float massB;
    float bX;
    float wantVelocityA;
    float wantVelocityB;
    float wantA;
    float wantB;
  };
  const Case cases[] = {
      {"both movable", 1.0f, 0.9f, -0.5f, 1.5f, -0.1f, 1.0f},
      {"against an immovable", 0.0f, 0.9f, -2.0f, 0.0f, -0.1f, 0.9f},
      {"too shallow to answer", 1.0f, 0.99995f, 1.0f, 0.0f, 0.0f, 0.99995f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const boost::shared_ptr<VGPYGameObject> a = Place("A", 0, 0, false);
    const boost::shared_ptr<VGPYGameObject> b = Place("B", c.bX, 0, true, true, c.massB);
    a->SetVelocity({1.0f, 0.0f, 0.0f});
    Run(*a, "object.__setattr__(o, 'state', 1)");  // the fixture's collision script answers the state
    ClearLog(*a);
    world->ResolveCollision(b, a);
    EXPECT_FLOAT_EQ(a->m_tile->Body->Velocity.X, c.wantVelocityA);
    EXPECT_FLOAT_EQ(b->m_tile->Body->Velocity.X, c.wantVelocityB);
    EXPECT_NEAR(a->GetPosition().X, c.wantA, 1e-6);
    EXPECT_NEAR(b->GetPosition().X, c.wantB, 1e-6);
    const std::string sets = Ask(*a, "sets");
    const std::string pushed = "'x', 'y', 'vel_x', 'vel_y', 'w', 'h']";
    EXPECT_EQ(sets.substr(sets.size() - pushed.size()), pushed) << "pushed after every answered contact";
  }
}

TEST_F(World, ARefusedContactMovesNothingAndTouchingBoxesAreNotContacts) {
  const boost::shared_ptr<VGPYGameObject> a = Place("A", 0, 0, false);
  const boost::shared_ptr<VGPYGameObject> b = Place("B", 0.9f, 0, true);
  const boost::shared_ptr<VGPYGameObject> c = Place("C", 1.0f, 1.0f, true);
  a->SetVelocity({1.0f, 0.0f, 0.0f});
  ClearLog(*a);
  world->ResolveCollision(b, a);
  world->ResolveCollision(c, a);
  EXPECT_EQ(a->m_tile->Body->Velocity.X, 1.0f);
  EXPECT_EQ(Pairs(), "[('A', 'B')]") << "the touching pair never reaches the script";
}

TEST_F(World, OnlyEnabledMoversFallAndStepWhileStaticsAlwaysStep) {
  const boost::shared_ptr<VGPYGameObject> falling = Place("F", 0, 0, false);
  const boost::shared_ptr<VGPYGameObject> off = Place("O", 3, 0, false, false);
  const boost::shared_ptr<VGPYGameObject> ground = Place("G", 6, 0, true, false);
  for (auto* object : {&falling, &off, &ground}) ClearLog(**object);
  world->Update(0.01f);
  EXPECT_FLOAT_EQ(falling->m_tile->Body->Velocity.Y, 0.0098f);
  EXPECT_FLOAT_EQ(falling->GetPosition().Y, 0.000098f);
  EXPECT_EQ(Ask(*off, "calls").find("do_update"), std::string::npos);
  EXPECT_NE(Ask(*ground, "calls").find("do_update"), std::string::npos);
}

TEST_F(World, TheDictionaryListsEachTypesScriptsAndTheWorldFileNestsGroups) {
  Load(ObjectXml("<S Name=\"idle\"></S>", ""), "thing.xml");
  const std::string list = folder.Write("list.xml", "<world directory=\"" + folder.Path().string() +
                                                                    "\"><O file=\"thing.xml\"></O></world>");
  VGGameObjectFactory::LoadGameObjects(std::wstring(list.begin(), list.end()));
  const std::string level =
      "<Level><World><GameObjects>"
      "<Obj Name=\"Thing\"><Position X=\"2\" Y=\"3\" Z=\"0\"></Position><GameObject Name=\"Thing\">"
      "<HalfSize X=\"1\" Y=\"1\" Z=\"0\"></HalfSize></GameObject></Obj>"
      "<Any Name=\"Thing\"><Attributes><A Name=\"mass\" Value=\"3\" Type=\"Double\"></A></Attributes></Any>"
      "</GameObjects><BackGround><Item TimeDelay=\"2\">" +
      SpriteXml("sky") + "</Item></BackGround></World></Level>";
  SCore::SXMLDeserializator reader;
  reader.DoParseText(level);
  reader.DoBeginChild("Level");
  world->DoDeserialize(reader);
  reader.DoEndChild();
  ASSERT_EQ(world->GetDynamicObjects().size(), 2u);
  const auto& group = world->GetDynamicObjects().front();
  EXPECT_EQ(group->GetChildren().size(), 1u);
  EXPECT_EQ(group->GetHalfSize().X, 1.0f) << "the parent spans its child";
  EXPECT_EQ(world->GetBackGround()->GetItems().front().Delay, 2u);
  VGPythonLock lock;
  PyObject* key = PyLong_FromLong(2);
  VGPythonList things(world->GetDictionary()->GetValue(key).GetResult());
  Py_DECREF(key);
  EXPECT_EQ(things.GetSize(), 2u) << "the group child is not listed";

  SCore::SXMLDeserializator bare;
  bare.DoParseText("<Level><World><GameObjects></GameObjects></World></Level>");
  bare.DoBeginChild("Level");
  EXPECT_NE(MessageOf([&] { VGWorld().DoDeserialize(bare); }).find("BackGround"), std::string::npos);
}

TEST_F(World, TheFirstDrawingSortsByRenderOrderKeepingAddingOrderAmongEquals) {
  const float orders[] = {5, 1, 3, 3};
  const char* names[] = {"five", "one", "threeA", "threeB"};
  for (int i = 0; i < 4; ++i) Place(names[i], 10.0f * i, 0, true)->m_renderOrder = unsigned(orders[i]);
  world->Render();
  std::string order;
  for (const auto& object : world->GetStaticObjects()) order += object->GetName() + " ";
  EXPECT_EQ(order, "one threeA threeB five ");
  EXPECT_FALSE(world->m_needsSort);
}

TEST_F(World, ADeadActorRisesAsOneAngel) {
  const boost::shared_ptr<VGPYGameObject> actor = Place("Hero", 0.2f, 0.4f, false);
  Run(*actor, "object.__setattr__(o, 'is_actor', True)");
  world.reset(new VGWorld);
  world->AddGameObject(actor);
  Run(*actor, "object.__setattr__(o, 'islife', False)\nobject.__setattr__(o, 'is_enable', False)");
  for (int frame = 0; frame < 3; ++frame) world->Render();
  ASSERT_EQ(world->GetDeadActors().size(), 1u);
  world->Update(1.0f);
  EXPECT_FLOAT_EQ(world->GetDeadActors().front().Y, 0.4f - 0.01f);
}

TEST_F(World, BackgroundItemsAppearAfterTheirDelayAndScrollWithoutMoving) {
  Platform::Testing::SetFakeClock(1000);
  VGBackGround background;
  const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateTexturedSprite("WHITE", 0);
  sprite->SetPosition(0.7f, 0.0f);
  sprite->SetSize(0.1f, 0.1f);
  background.AddItem(sprite, 0);
  const auto drawnAt = [&](float x) { return At(Frame([&] { background.Render({-0.5f, 0.0f, 0.0f}); }), x, 0.05f); };
  EXPECT_EQ(drawnAt(0.25f), kBlack) << "not before a whole second";
  Platform::Testing::AdvanceFakeClock(999);
  EXPECT_EQ(drawnAt(0.25f), kBlack);
  Platform::Testing::AdvanceFakeClock(1);
  EXPECT_EQ(drawnAt(0.25f), 0xFFFFFFFFu);
  EXPECT_EQ(drawnAt(0.75f), kBlack);
  EXPECT_EQ(sprite->Position.X, 0.7f);
}

// A rule's answer that is no truth value raises, and nothing is reported won or lost by it.
TEST_F(World, ALevelRuleAnsweringNoTruthValueRaisesAndDecidesNothing) {
  VGLevel level("rules");
  for (int ask = 0; ask < 2; ++ask) {
    EXPECT_NE(MessageOf([&] { level.IsDone(); }).find("VGLevel::IsDone()"), std::string::npos);
    EXPECT_NE(MessageOf([&] { level.IsFailed(); }).find("VGLevel::IsFailed()"), std::string::npos);
  }
}
