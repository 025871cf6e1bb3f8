// A game object against the fixture's recording script: what its file hands the script and in
// which order, the tick's exchange, sprite records, drawing, groups and the file's failures.
#include "GameObjectFixture.h"
#include "ScriptTestSupport.h"
#include "STextureAnimator.h"
#include "SXMLDeserializator.h"
#include "VGAutoID.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPythonDictionary.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace Vellgrove;
using TestSupport::MessageOf;
using TestSupport::ScriptName;

using namespace BridgeTest;

namespace {

class GameObject : public GameObjectFixture {};

}  // namespace

TEST_F(GameObject, TheFileReachesTheScriptInItsOrderAndMergesStatesOfOneName) {
  const boost::shared_ptr<VGPYGameObject> object =
      Load(ObjectXml(kTwoStates, "<A Name=\"mass\" Value=\"5\" Type=\"Double\"></A>"
                                 "<A Name=\"label\" Value=\"hi\" Type=\"String\"></A>"
                                 "<A Name=\"count\" Value=\"3\" Type=\"SizeT\"></A>"
                                 "<A Name=\"delta\" Value=\"-3\" Type=\"Long\"></A>"
                                 "<A Name=\"flag\" Value=\"1\" Type=\"Boolean\"></A>"));
  EXPECT_EQ(object->GetName(), "Thing");
  EXPECT_EQ(object->m_renderOrder, 7u);
  EXPECT_EQ(Ask(*object, "sets"),
            "['name', 'is_enable', 'gravity_action', 'x', 'y', 'w', 'h', 'vel_x', 'vel_y', 'mass', 'mass', "
            "'label', 'count', 'delta', 'flag']");
  EXPECT_EQ(Ask(*object, "calls"), "['add_state_sprite', 'add_state_sprite', 'add_state_sprite', 'add_state_sprite']");
  ASSERT_NE(object->FindState("idle"), nullptr);
  std::vector<std::string> idle;
  for (const auto& sprite : *object->FindState("idle")) idle.push_back(sprite->Name);
  EXPECT_EQ(idle, (std::vector<std::string>{"one", "two", "three"})) << "the <Note> is skipped";
  Run(*object, "assert tuple(round(v, 6) if isinstance(v, float) else v for v in o.sprite_records['walk'][0]) == ('step', 0.1, 0.2, 0.3, 0.4, 0.0, 0.0, 1.0, 1.0, True, False, "
               "False, True, 1.0, 1.0), o.sprite_records['walk'][0]\n"
               "assert o.mass == 5.0 and o.label == 'hi' and o.count == 3 and o.delta == -3 and o.flag is True");
  EXPECT_FALSE(TestSupport::ErrorPending());
  EXPECT_FLOAT_EQ(Attribute(*object, "w"), 0.05f);
  EXPECT_TRUE(object->GetGravityAction());
  EXPECT_TRUE(object->IsEnable());
}

TEST_F(GameObject, IdsCountUpAcrossEveryObjectOfTheProcess) {
  const boost::shared_ptr<VGPYGameObject> first = Load(ObjectXml("", ""));
  const boost::shared_ptr<VGPYGameObject> second = Load(ObjectXml("", ""));
  EXPECT_EQ(second->m_id, first->m_id + 1);
  VGPYGameObject third;
  EXPECT_EQ(third.m_id, second->m_id + 1);
}

TEST_F(GameObject, BadFilesFailNamingWhatAndWhere) {
  struct Case {
    const char* what;
    std::string xml;
    std::string message;
  };
  const Case cases[] = {
      {"an unknown attribute type", ObjectXml("", "<A Name=\"n\" Value=\"1\" Type=\"Integer\"></A>"),
       "can't set attribute[n] by value[1] of type[Integer]"},
      {"a value that is no number", ObjectXml("", "<A Name=\"n\" Value=\"fast\" Type=\"Double\"></A>"),
       "can't convert value[fast] of attribute[n] to type[Double]"},
      {"a flag that is no flag", ObjectXml("", "<A Name=\"n\" Value=\"yes\" Type=\"Boolean\"></A>"),
       "can't convert value[yes] of attribute[n] to type[Boolean]"},
      {"a missing States", "<GameObject Name=\"T\" IsEnable=\"1\" GravityAction=\"1\" GameObjectType=\"VGGOT_RECORDER\" "
                           "RenderOrder=\"1\"><Tile ID=\"0\" GeomType=\"0\"><HalfSize X=\"0\" Y=\"0\" Z=\"0\">"
                           "</HalfSize><Body ID=\"0\" Mass=\"1\"><Position X=\"0\" Y=\"0\" Z=\"0\"></Position>"
                           "<Velocity X=\"0\" Y=\"0\" Z=\"0\"></Velocity></Body></Tile></GameObject>",
       "Deserializator error: can't find child node:States"},
      {"a box of geometry 1", [] {
         std::string xml = ObjectXml("", "");
         xml.replace(xml.find("GeomType=\"0\""), 12, "GeomType=\"1\"");
         return xml;
       }(),
       "unknown VGGeom type"},
      {"no tile", "<GameObject Name=\"T\" IsEnable=\"1\" GravityAction=\"1\" GameObjectType=\"VGGOT_RECORDER\" "
                  "RenderOrder=\"1\"><States></States><Attributes></Attributes></GameObject>",
       "Deserializator error: can't find child node:Tile"},
      {"a sprite of an unknown texture", ObjectXml("<S Name=\"idle\">" + SpriteXml("x", "", "NONE") + "</S>", ""),
       "can't find texture:NONE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string message = MessageOf([&] { Load(c.xml); });
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    EXPECT_NE(message.find("thing.xml"), std::string::npos) << message;
  }
  VGPYGameObject object;
  EXPECT_EQ(MessageOf([&] {
              SCore::SXMLDeserializator reader;
              object.DoDeserialize(reader, 0u);
            }),
            "inconclusive");
}

TEST_F(GameObject, ATickPushesAsksTakesTheScriptsValuesStepsAndPushesAgain) {
  const boost::shared_ptr<VGPYGameObject> object = Load(ObjectXml("", ""));
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  SetAttribute(*object, "move_by", 1.0);
  SetAttribute(*object, "frc_x", 4.0);
  SetAttribute(*object, "frc_y", 2.0);
  object->m_tile->HalfSize.Z = 3.0f;
  ClearLog(*object);
  object->Update(world, 0.5f);
  EXPECT_EQ(Ask(*object, "sets"), "['x', 'y', 'vel_x', 'vel_y', 'x', 'y', 'vel_x', 'vel_y']");
  EXPECT_EQ(Ask(*object, "calls"), "['can_update', 'do_update', 'reset_force_acc']");
  Run(*object, "assert o.log[5][2:] == (0.5, True, 'dict'), o.log[5]");
  // x: 0.25 + 1 from the script; velocity 0.125 + 4 * 0.5 / 2; then 0.5 s of it.
  EXPECT_FLOAT_EQ(object->GetPosition().X, 1.25f + 0.5f * 1.125f);
  EXPECT_FLOAT_EQ(Attribute(*object, "vel_x"), 1.125f);
  EXPECT_FLOAT_EQ(Attribute(*object, "vel_y"), 0.5f);
  EXPECT_EQ(object->GetHalfSize().Z, 0.0f);
  EXPECT_EQ(object->m_tile->Body->Force.X, 0.0f);

  Run(*object, "object.__setattr__(o, 'updating', False)");
  ClearLog(*object);
  const float before = object->GetPosition().X;
  object->Update(world, 0.5f);
  EXPECT_EQ(Ask(*object, "sets"), "[]") << "a refused tick pushes nothing";
  EXPECT_EQ(object->GetPosition().X, before);
}

TEST_F(GameObject, SpriteRecordsChangeOnlyWhatDiffersAndExtraEntriesAreLeftAlone) {
  const boost::shared_ptr<VGPYGameObject> object = Load(ObjectXml(kTwoStates, ""));
  const auto& idle = *object->FindState("idle");
  Run(*object,
      "import vgpy_factory as m\n"
      "object.__setattr__(o, 'answer_records', [m.sprite_record(0.1, 0.2, 0.3, 0.4, 0.0, 0.0, 1.0, 1.0, True, "
      "False, False, False, 0.25), m.sprite_record(0.5, 0.6, 0.1, 0.1, 0.5, 0.0, 1.0, 0.5, False, True, False, "
      "False, 0.5), m.sprite_record(0.9, 0.9, 0.1, 0.1, 0.0, 0.0, 1.0, 1.0, True, False, False, False, 0.75), "
      "m.sprite_record(0, 0, 0, 0, 0, 0, 0, 0, True, False, False, False, 1.0)])\n");
  VGPythonLock lock;
  PyObject* scrollX = PyFloat_FromDouble(0.125);
  PyObject* scrollY = PyFloat_FromDouble(0.0);
  object->UpdateSpritesState(scrollX, scrollY);
  Py_DECREF(scrollX);
  Py_DECREF(scrollY);
  auto sprite = idle.begin();
  EXPECT_FLOAT_EQ((*sprite)->Position.X, 0.1f);
  EXPECT_TRUE((*sprite)->Visible);
  ++sprite;
  EXPECT_EQ((*sprite)->Position.X, 0.5f);
  EXPECT_EQ((*sprite)->TexCoords.X, 0.5f);
  EXPECT_EQ((*sprite)->TexCoords.Height, 0.5f);
  EXPECT_FALSE((*sprite)->Visible);
  EXPECT_TRUE((*sprite)->FlipHorizontal);
  ++sprite;
  EXPECT_EQ((*sprite)->Position.X, 0.9f);
  EXPECT_EQ(object->m_animOffset, 0.75f) << "one phase per object: the last record's";
  Run(*object, "assert o.log[-1][1:] == ('update_sprites_state', 'idle', 0.125, 0.0), o.log[-1]");

  Run(*object, "object.__setattr__(o, 'state', 2)");
  object->UpdateSpritesState(nullptr, nullptr);  // a state without sprites calls nothing
  EXPECT_EQ(MessageOf([&] { object->Render(); }).rfind("state [dead] not found for game object[Thing].", 0), 0u);
}

TEST_F(GameObject, DrawsItsStateWithTheObjectsPhaseAndHoldsAnimationsWhenStopped) {
  const boost::shared_ptr<VGPYGameObject> object = Load(ObjectXml(kTwoStates, ""));
  Run(*object, "object.__setattr__(o, 'state', 1)");
  object->m_animOffset = 0.5f;
  const auto& walk = *object->FindState("walk");
  const boost::shared_ptr<SCore::STextureAnimator> animator = walk.front()->Material.GetAnimator1();
  ASSERT_TRUE(animator);
  walk.front()->SetPosition(0.0f, 0.0f);
  const std::vector<DWORD> pixels = Frame([&] { object->Render(); });
  EXPECT_EQ(animator->StartPhase, 0.5f);
  object->StopStateAnimations();
  EXPECT_EQ(animator->State, 1);
  object->PlayStateAnimations();
  EXPECT_EQ(animator->State, 0);

  Run(*object, "object.__setattr__(o, 'rendering', False)");
  ClearLog(*object);
  Frame([&] { object->Render(); });
  EXPECT_EQ(Ask(*object, "calls"), "['can_render']");
}

TEST_F(GameObject, AGroupSpansItsChildrenAndStepsThemUnasked) {
  const boost::shared_ptr<VGPYGameObject> parent = Load(ObjectXml(kTwoStates, ""));
  const boost::shared_ptr<VGPYGameObject> left = Load(ObjectXml(kTwoStates, ""));
  const boost::shared_ptr<VGPYGameObject> right = Load(ObjectXml("", ""));
  left->SetPosition({0, 0, 0});
  left->SetHalfSize({1, 1, 0});
  right->SetPosition({4, 1, 0});
  right->SetHalfSize({1, 2, 0});
  parent->AddGroupObject(left);
  parent->AddGroupObject(right);
  EXPECT_EQ(parent->GetPosition().X, 0.0f);
  EXPECT_EQ(parent->GetPosition().Y, 0.0f);
  EXPECT_EQ(parent->GetHalfSize().X, 3.0f);
  EXPECT_EQ(parent->GetHalfSize().Y, 2.5f);
  EXPECT_FLOAT_EQ(Attribute(*parent, "w"), 3.0f);

  Run(*right, "object.__setattr__(o, 'updating', False)");
  ClearLog(*right);
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  parent->Update(world, 0.01f);
  EXPECT_EQ(Ask(*right, "calls"), "['do_update', 'reset_force_acc']");
  EXPECT_NE(MessageOf([&] { parent->Render(); }).find("state [idle] not found for game object[Thing]."),
            std::string::npos)
      << "the child without the parent's state";
}
