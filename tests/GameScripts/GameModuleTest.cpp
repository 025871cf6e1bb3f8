// The game's own script module, data/scripts/vgpy_factory.py, through the bridge as the game uses
// it: every object type, the state names, sprite records, the collision rules and the level rules.
#include "LogCapture.h"
#include "ScriptTestSupport.h"
#include "VGGameObjectType.h"
#include "VGPYFactory.h"
#include "VGPYGameObjectDispatcher.h"
#include "VGPythonDictionary.h"
#include "VGPythonFunctor.h"
#include "VGPythonList.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vellgrove;
using TestSupport::MessageOf;
using TestSupport::ScriptName;
using TestSupport::StartsWith;

namespace {

const char* const kTypeNames[] = {"VGGOT_SIMPLE",  "VGGOT_ACTOR",  "VGGOT_BRIDGE",    "VGGOT_LIFT",
                                  "VGGOT_PORTAL",  "VGGOT_TELEPORT", "VGGOT_WALL",     "VGGOT_MONSTR",
                                  "VGGOT_OUTTELEPORT", "VGGOT_LETHAL", "VGGOT_GROUP",  "VGGOT_WINDLEFT",
                                  "VGGOT_WINDRIGHT"};

VGPythonResult Read(VGPythonObject& object, const char* attribute) {
  const ScriptName name(attribute);
  return object.GetPropertyValue(name);
}

void Write(VGPythonObject& object, const char* attribute, double value) {
  const ScriptName name(attribute);
  object.SetPropertyValueDouble(name, value);
}

VGPythonResult CallMethod(VGPythonObject& object, const char* method) {
  object.SetMethodName(method, 0);
  return object.Call();
}

}  // namespace

TEST(GameModule, EveryTypeMakesAnObjectWithWhatTheGameReads) {
  const char* const numbers[] = {"x", "y", "vel_x", "vel_y", "mass", "w", "h", "frc_x", "frc_y", "life_time"};
  const char* const flags[] = {"is_enable", "gravity_action", "is_static", "is_actor", "is_portal", "is_monstr",
                               "islife"};
  for (const char* type : kTypeNames) {
    SCOPED_TRACE(type);
    const boost::shared_ptr<VGPythonObject> object = VGPYFactory::CreateByTypeName(type);
    for (const char* number : numbers) EXPECT_NO_THROW(Read(*object, number).GetResultAsDouble()) << number;
    for (const char* flag : flags) EXPECT_NO_THROW(Read(*object, flag).GetResultAsBool()) << flag;
    EXPECT_EQ(Read(*object, "gameObjectType").GetResultAsSizeT(), static_cast<size_t>(GameObjectTypeFromString(type)));
    EXPECT_EQ(Read(*object, "state").GetResultAsSizeT(), 0u);
    EXPECT_EQ(Read(*object, "name").GetResultAsString(), "");
    EXPECT_TRUE(Read(*object, "is_enable").GetResultAsBool());
    EXPECT_EQ(Read(*object, "is_actor").GetResultAsBool(), std::string(type) == "VGGOT_ACTOR");
    EXPECT_TRUE(CallMethod(*object, "can_update").GetResultAsBool());
    EXPECT_EQ(CallMethod(*object, "can_render").GetResultAsBool(), std::string(type) == "VGGOT_GROUP")
        << "no sprites, nothing to draw; a group draws its children";
    Write(*object, "frc_x", 1.0);
    CallMethod(*object, "reset_force_acc");
    EXPECT_DOUBLE_EQ(Read(*object, "frc_x").GetResultAsDouble(), 0.0);
  }
}

TEST(GameModule, TheFrameWallIsAStaticEnabledObjectWithoutSprites) {
  const boost::shared_ptr<VGPythonObject> wall = VGPYFactory::CreateByTypeName("VGGOT_SIMPLE");
  EXPECT_TRUE(Read(*wall, "is_static").GetResultAsBool());
  EXPECT_TRUE(Read(*wall, "is_enable").GetResultAsBool());
  EXPECT_FALSE(CallMethod(*wall, "can_render").GetResultAsBool());
}

TEST(GameModule, AnUnknownTypeNameIsNamedInTheLog) {
  TestSupport::LogCapture log;
  EXPECT_TRUE(StartsWith(MessageOf([] { VGPYFactory::CreateByTypeName("VGGOT_NOPE"); }),
                         "can't return function result.[create] module [vgpy_factory]"));
  EXPECT_NE(log.Text().find(L"VGGOT_NOPE"), std::wstring::npos);
}

// The actor's step depends on dt alone: the same steps give the same values.
TEST(GameModule, AnActorsStepFollowsDtOnly) {
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  const boost::shared_ptr<VGPythonObject> actor = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  for (int step = 0; step < 3; ++step) {
    actor->SetMethodName("do_update", 3);
    actor->SetArgumentValueDouble(0, 0.01);
    actor->SetArgumentValueInteger(123456 + 997 * step);
    actor->SetArgumentValuePyObject(2, world.GetDictionary());
    actor->Call();
  }
  EXPECT_NEAR(Read(*actor, "life_time").GetResultAsDouble(), 0.03, 1e-12);
  EXPECT_EQ(VGPYFactory::GetGameObjectStateStr(Read(*actor, "state").GetResultAsSizeT()), "walk");
  EXPECT_GT(Read(*actor, "vel_x").GetResultAsDouble(), 0.0);
}

TEST(GameModule, StateNamesAndTheirEnd) {
  const char* const names[] = {"idle", "walk", "dead"};
  for (size_t state = 0; state < 3; ++state) EXPECT_EQ(VGPYFactory::GetGameObjectStateStr(state), names[state]);
  EXPECT_TRUE(StartsWith(MessageOf([] { VGPYFactory::GetGameObjectStateStr(3); }),
                         "can't return function result.[getGameObjectStateStr]"));
}

// A sprite record made by the factory, given to a state, comes back from update_sprites_state
// placed on the object and the scroll.
TEST(GameModule, SpriteRecordsFollowTheirObject) {
  const boost::shared_ptr<VGPythonObject> actor = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  const VGPythonResult record =
      VGPYFactory::CreateSpriteInfo("walk0", 0.1f, 0.2f, 0.06f, 0.1f, 0.0f, 0.0f, 0.25f, 1.0f, true, false, true,
                                    false, 1.0f, 2.0f);
  actor->SetMethodName("add_state_sprite", 2);
  actor->SetArgumentValueString("walk");
  actor->SetArgumentValuePyObject(1, record.GetResult());
  actor->Call();
  Write(*actor, "x", 0.5);
  Write(*actor, "w", 0.03);
  Write(*actor, "h", 0.05);
  actor->SetPropertyValueLong(ScriptName("state"), 1);
  EXPECT_TRUE(CallMethod(*actor, "can_render").GetResultAsBool());

  actor->SetMethodName("update_sprites_state", 3);
  actor->SetArgumentValueString("walk");
  actor->SetArgumentValueDouble(1, -0.25);
  actor->SetArgumentValueDouble(2, 0.0);
  VGPythonList sprites(actor->Call().GetResult());
  ASSERT_EQ(sprites.GetSize(), 1u);
  VGPythonObject sprite(VGPYFactory::GetInterpreter(), "VGPYSprite", sprites.GetValue(0).GetResult());
  struct Number {
    const char* name;
    double value;
  };
  const Number numbers[] = {{"posx", 0.25},  {"posy", 0.0},  {"width", 0.06}, {"height", 0.1},   {"tex_x", 0.0},
                            {"tex_y", 0.0},  {"tex_w", 0.25}, {"tex_h", 1.0},  {"anim_offset", 0.0}};
  for (const Number& n : numbers) EXPECT_NEAR(Read(sprite, n.name).GetResultAsDouble(), n.value, 1e-6) << n.name;
  EXPECT_TRUE(Read(sprite, "enable").GetResultAsBool());
  EXPECT_FALSE(Read(sprite, "flip_h").GetResultAsBool());
  EXPECT_TRUE(Read(sprite, "flip_v").GetResultAsBool());
  EXPECT_FALSE(Read(sprite, "anim_inv").GetResultAsBool());
}

// Pairs that are not a character meeting the level (those are the situations of GameObjectsTest).
TEST(GameModule, TheDispatcherLetsWalkersPassEachOtherAndThePortalFloat) {
  VGPYGameObjectDispatcher dispatcher;
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  struct Case {
    const char* first;
    const char* second;
    bool respond;
    const char* sound;
    bool firstLives;
    bool secondLives;
  };
  const Case cases[] = {{"VGGOT_ACTOR", "VGGOT_ACTOR", false, "", true, true},
                        {"VGGOT_MONSTR", "VGGOT_MONSTR", false, "", true, true},
                        {"VGGOT_ACTOR", "VGGOT_MONSTR", false, "Tooth", false, true},
                        {"VGGOT_MONSTR", "VGGOT_ACTOR", false, "Tooth", true, false},
                        {"VGGOT_MONSTR", "VGGOT_PORTAL", false, "", true, true},
                        {"VGGOT_PORTAL", "VGGOT_SIMPLE", false, "", true, true},
                        {"VGGOT_BRIDGE", "VGGOT_LIFT", true, "", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " with " + c.second);
    const boost::shared_ptr<VGPythonObject> first = VGPYFactory::CreateByTypeName(c.first);
    const boost::shared_ptr<VGPythonObject> second = VGPYFactory::CreateByTypeName(c.second);
    std::string sound = "left over";
    EXPECT_EQ(dispatcher.Dispatch(0.5f, 0.5f, 0.01f, 1.0f, 0.0f, *first, *second, world, sound), c.respond);
    EXPECT_EQ(sound, c.sound);
    EXPECT_EQ(Read(*first, "islife").GetResultAsBool(), c.firstLives);
    EXPECT_EQ(Read(*second, "islife").GetResultAsBool(), c.secondLives);
  }
}

TEST(GameModule, TheLevelRulesAnswerFalse) {
  VGPythonDictionary world(VGPYFactory::GetInterpreter());
  VGPythonFunctor rule(VGPYFactory::GetInterpreter());
  rule.SetFuncName("process_tool", 6);
  rule.SetArgumentValuePyObject(world.GetDictionary());
  rule.SetArgumentValueSizeT(1, 6);
  for (int position = 2; position < 6; ++position) rule.SetArgumentValueDouble(position, 0.5);
  EXPECT_FALSE(rule.Exec().GetResultAsBool());
  for (const char* name : {"is_done", "is_failed"}) {
    rule.SetFuncName(name, 1);
    rule.SetArgumentValuePyObject(world.GetDictionary());
    EXPECT_FALSE(rule.Exec().GetResultAsBool()) << name;
  }
}
