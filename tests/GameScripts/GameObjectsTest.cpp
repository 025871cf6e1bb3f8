// The game's object files and their scripts together: every kind made by name from the real files,
// and what happens to a character in each situation a level puts it in, with contacts found by the
// collider and judged by the real dispatcher.
#include "GameDataFixture.h"
#include "ScriptTestSupport.h"
#include "VGCollider.h"
#include "VGGameObjectFactory.h"
#include "VGGameObjectType.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPYGameObjectDispatcher.h"
#include "VGPythonDictionary.h"
#include "VGPythonList.h"
#include "VGPythonObject.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace Vellgrove;
using TestSupport::ScriptName;

namespace {

class GameObjects : public GameTest::GameDataFixture {
 protected:
  // The frame with one object drawn after its script has placed its sprites (no scroll).
  std::vector<DWORD> DrawOne(VGPYGameObject& object) {
    {
      VGPythonLock lock;
      PyObject* zero = PyFloat_FromDouble(0.0);
      object.UpdateSpritesState(zero, zero);
      Py_DECREF(zero);
    }
    return Frame([&] { object.Render(); });
  }
};

double Number(VGPYGameObject& object, const char* name) {
  const ScriptName attribute(name);
  return object.GetPythonObject()->GetPropertyValue(attribute).GetResultAsDouble();
}

bool Flag(VGPYGameObject& object, const char* name) {
  const ScriptName attribute(name);
  return object.GetPythonObject()->GetPropertyValue(attribute).GetResultAsBool();
}

void SetNumber(VGPYGameObject& object, const char* name, double value) {
  const ScriptName attribute(name);
  object.GetPythonObject()->SetPropertyValueDouble(attribute, value);
}

// A few objects as a level would hold them: the dictionary by type that the scripts read, and one
// pass of contacts as the world makes them (a static object second, dynamic ones in adding order).
class Scene {
 public:
  Scene() : m_world(new VGPythonDictionary(VGPYFactory::GetInterpreter())) {}

  boost::shared_ptr<VGPYGameObject> Add(const std::string& name, float x, float y) {
    const boost::shared_ptr<VGPYGameObject> object = VGPYFactory::Create(name);
    object->Enable();
    return Adopt(object, x, y);
  }

  boost::shared_ptr<VGPYGameObject> Adopt(const boost::shared_ptr<VGPYGameObject>& object, float x, float y) {
    object->SetPosition({x, y, 0.0f});
    object->m_tile->Update(0.0f);
    VGPythonLock lock;
    PyObject* key = PyLong_FromSize_t(object->GetGameObjectType());
    if (!m_world->Contains(key)) {
      VGPythonList list(VGPYFactory::GetInterpreter());
      m_world->Set(key, list.GetList());
    }
    VGPythonList(m_world->GetValue(key).GetResult()).Append(object->GetPythonObject()->GetInstance());
    Py_DECREF(key);
    m_objects.push_back(object);
    return object;
  }

  void Tick(float dt) {
    for (const auto& object : m_objects) {
      if (!object->IsStatic() && object->IsEnable()) object->Update(*m_world, dt);
    }
  }

  // The first contact of positive depth between the walker and anything else: the dispatcher's
  // answer and sound.
  bool Touch(const boost::shared_ptr<VGPYGameObject>& walker, std::string& sound) {
    for (const auto& other : m_objects) {
      if (other == walker) continue;
      other->RefreshCache();
      walker->RefreshCache();
      VGContact contact;
      VGCollider().Collide(*walker->m_tile, contact, *other->m_tile);
      if (contact.Depth <= 0.0f) continue;
      return m_dispatcher.Dispatch(contact, walker, other, m_world, sound);
    }
    ADD_FAILURE() << "nothing touches " << walker->GetName();
    return false;
  }

  VGPythonDictionary& World() { return *m_world; }

 private:
  boost::shared_ptr<VGPythonDictionary> m_world;
  VGPYGameObjectDispatcher m_dispatcher;
  std::vector<boost::shared_ptr<VGPYGameObject>> m_objects;
};

struct Outcome {
  bool touched = false;
  bool respond = false;
  std::string sound;
  double x = 0.0;
  double y = 0.0;
  double velX = 0.0;
  double direction = 0.0;
  double lifeTime = 0.0;
  bool alive = true;
  bool enabled = true;
  bool out = false;
  bool operator==(const Outcome& o) const {
    return touched == o.touched && respond == o.respond && sound == o.sound && x == o.x && y == o.y &&
           velX == o.velX && direction == o.direction && lifeTime == o.lifeTime && alive == o.alive &&
           enabled == o.enabled && out == o.out;
  }
};

// The hero stands on nothing in particular at (0.5, 0.5): its feet at 0.6, its right side at 0.55.
struct Situation {
  const char* what;
  std::function<void(Scene&, VGPYGameObject& hero)> arrange;
  bool touch;
  std::function<void(Scene&, VGPYGameObject& hero)> after;
  std::function<void(const Outcome&)> check;
};

Outcome Play(const Situation& situation) {
  Scene scene;
  const boost::shared_ptr<VGPYGameObject> hero = scene.Add("Tovemmar", 0.5f, 0.5f);
  situation.arrange(scene, *hero);
  Outcome outcome;
  if (situation.touch) {
    outcome.touched = true;
    outcome.respond = scene.Touch(hero, outcome.sound);
  }
  if (situation.after) situation.after(scene, *hero);
  hero->RefreshCache();
  outcome.x = hero->GetPosition().X;
  outcome.y = hero->GetPosition().Y;
  outcome.velX = Number(*hero, "vel_x");
  outcome.direction = Number(*hero, "direction");
  outcome.lifeTime = Number(*hero, "life_time");
  outcome.alive = Flag(*hero, "islife");
  outcome.enabled = Flag(*hero, "is_enable");
  outcome.out = Flag(*hero, "is_out");
  return outcome;
}

void Ticks(Scene& scene, int count, float dt) {
  for (int i = 0; i < count; ++i) scene.Tick(dt);
}

void ExpectDeadFromAFrozenTime(const Outcome& o) {
  EXPECT_FALSE(o.alive);
  EXPECT_FALSE(o.enabled);
  EXPECT_FALSE(o.out);
  EXPECT_DOUBLE_EQ(o.lifeTime, 0.0) << "time stops at the death";
}

const std::vector<Situation>& Situations() {
  static const std::vector<Situation> situations = {
      {"walking", [](Scene&, VGPYGameObject&) {}, false, [](Scene& s, VGPYGameObject&) { Ticks(s, 10, 0.01f); },
       [](const Outcome& o) {
         EXPECT_NEAR(o.x, 0.51, 1e-5);
         EXPECT_NEAR(o.velX, 0.1, 1e-6);
         EXPECT_NEAR(o.lifeTime, 0.1, 1e-6);
       }},
      {"still on dt 0", [](Scene&, VGPYGameObject&) {}, false, [](Scene& s, VGPYGameObject&) { Ticks(s, 5, 0.0f); },
       [](const Outcome& o) {
         EXPECT_EQ(o.x, 0.5);
         EXPECT_EQ(o.velX, 0.0);
         EXPECT_EQ(o.lifeTime, 0.0);
       }},
      {"wall turn", [](Scene& s, VGPYGameObject&) { s.Add("Wall", 0.545f, 0.35f); }, true, nullptr,
       [](const Outcome& o) {
         EXPECT_TRUE(o.respond);
         EXPECT_EQ(o.sound, "Collide");
         EXPECT_EQ(o.direction, -1.0);
       }},
      {"a wall behind does not turn again",
       [](Scene& s, VGPYGameObject& hero) {
         SetNumber(hero, "direction", -1.0);
         s.Add("Wall", 0.545f, 0.35f);
       },
       true, nullptr,
       [](const Outcome& o) {
         EXPECT_TRUE(o.respond);
         EXPECT_EQ(o.sound, "");
         EXPECT_EQ(o.direction, -1.0);
       }},
      {"seam", [](Scene& s, VGPYGameObject&) { s.Add("Ground", 0.549f, 0.595f); }, true, nullptr,
       [](const Outcome& o) {
         EXPECT_FALSE(o.respond);
         EXPECT_EQ(o.sound, "");
         EXPECT_EQ(o.direction, 1.0);
       }},
      {"resting ground", [](Scene& s, VGPYGameObject&) { s.Add("Ground", 0.0f, 0.599f); }, true, nullptr,
       [](const Outcome& o) {
         EXPECT_TRUE(o.respond);
         EXPECT_EQ(o.sound, "");
         EXPECT_TRUE(o.alive);
       }},
      {"lethal", [](Scene& s, VGPYGameObject&) { s.Add("Spikes", 0.45f, 0.58f); }, true,
       [](Scene& s, VGPYGameObject&) { Ticks(s, 3, 0.01f); },
       [](const Outcome& o) {
         EXPECT_FALSE(o.respond);
         EXPECT_EQ(o.sound, "Kill");
         ExpectDeadFromAFrozenTime(o);
       }},
      {"monster", [](Scene& s, VGPYGameObject&) { s.Add("Monster", 0.54f, 0.5f); }, true,
       [](Scene& s, VGPYGameObject&) { Ticks(s, 3, 0.01f); },
       [](const Outcome& o) {
         EXPECT_FALSE(o.respond);
         EXPECT_EQ(o.sound, "Tooth");
         ExpectDeadFromAFrozenTime(o);
       }},
      {"fall",
       [](Scene& s, VGPYGameObject& hero) {
         const boost::shared_ptr<VGPYGameObject> frame(new VGPYGameObject);
         frame->SetPythonObject(VGPYFactory::CreateByTypeName("VGGOT_SIMPLE"));
         frame->SetName("WallFrameLeft");
         frame->SetHalfSize({0.001f, 0.5f * 1.0f + 0.5f, 0.0f});
         s.Adopt(frame, 0.0f, -1.0f);
         hero.SetPosition({0.5f, 1.02f, 0.0f});
       },
       false, [](Scene& s, VGPYGameObject&) { Ticks(s, 3, 0.01f); }, ExpectDeadFromAFrozenTime},
      {"portal", [](Scene& s, VGPYGameObject&) { s.Add("Portal", 0.53f, 0.48f); }, true,
       [](Scene& s, VGPYGameObject&) { Ticks(s, 3, 0.01f); },
       [](const Outcome& o) {
         EXPECT_FALSE(o.respond);
         EXPECT_EQ(o.sound, "Portal");
         EXPECT_TRUE(o.alive);
         EXPECT_FALSE(o.enabled);
         EXPECT_TRUE(o.out);
         EXPECT_EQ(o.lifeTime, 0.0);
       }},
      {"teleport",
       [](Scene& s, VGPYGameObject&) {
         s.Add("Teleport", 0.53f, 0.48f);
         s.Add("OutTeleport", 0.8f, 0.2f);
       },
       true, nullptr,
       [](const Outcome& o) {
         EXPECT_FALSE(o.respond);
         EXPECT_EQ(o.sound, "TeleGo");
         EXPECT_NEAR(o.x, 0.805, 1e-6) << "centred on the way out";
         EXPECT_NEAR(o.y, 0.22, 1e-6) << "feet on its bottom";
         EXPECT_EQ(o.direction, 1.0);
       }},
      {"wind",
       [](Scene& s, VGPYGameObject& hero) {
         SetNumber(hero, "direction", -1.0);
         s.Add("WindRight", 0.45f, 0.45f);
       },
       true, [](Scene& s, VGPYGameObject&) { s.Tick(0.01f); },
       [](const Outcome& o) {
         EXPECT_FALSE(o.respond);
         EXPECT_EQ(o.sound, "");
         EXPECT_EQ(o.direction, 1.0);
         EXPECT_NEAR(o.velX, 0.3, 1e-6) << "carried faster than it walks";
       }},
      {"the wind's end",
       [](Scene& s, VGPYGameObject&) {
         const boost::shared_ptr<VGPYGameObject> wind = s.Add("WindLeft", 0.45f, 0.45f);
         SetNumber(*wind, "blow_time", 0.05);
         for (int i = 0; i < 6; ++i) wind->Update(s.World(), 0.01f);
         EXPECT_FALSE(wind->IsEnable()) << "it has blown its time";
       },
       false, [](Scene& s, VGPYGameObject&) { s.Tick(0.01f); },
       [](const Outcome& o) { EXPECT_NEAR(o.velX, 0.1, 1e-6) << "walking on at its own speed"; }},
  };
  return situations;
}

}  // namespace

TEST_F(GameObjects, EveryKindIsMadeByNameFromItsFile) {
  struct Kind {
    const char* name;
    VGGameObjectType type;
    bool enabled;
    bool isStatic;
  };
  const Kind kinds[] = {{"Tovemmar", VGGOT_ACTOR, true, false},        {"Gribbanoddle", VGGOT_ACTOR, true, false},
                        {"Weskaroon", VGGOT_ACTOR, true, false},       {"Monster", VGGOT_MONSTR, true, false},
                        {"Ground", VGGOT_SIMPLE, true, true},          {"Lift", VGGOT_LIFT, true, true},
                        {"Wall", VGGOT_WALL, false, true},             {"Bridge", VGGOT_BRIDGE, false, true},
                        {"WindLeft", VGGOT_WINDLEFT, false, true},     {"WindRight", VGGOT_WINDRIGHT, false, true},
                        {"Teleport", VGGOT_TELEPORT, false, true},     {"OutTeleport", VGGOT_OUTTELEPORT, true, true},
                        {"Portal", VGGOT_PORTAL, true, false},         {"Spikes", VGGOT_LETHAL, true, true},
                        {"Group", VGGOT_GROUP, true, true}};
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const boost::shared_ptr<VGPYGameObject> object = VGPYFactory::Create(kind.name);
    EXPECT_EQ(object->GetName(), kind.name);
    EXPECT_EQ(object->GetGameObjectType(), static_cast<unsigned int>(kind.type));
    EXPECT_EQ(object->IsEnable(), kind.enabled);
    EXPECT_EQ(object->IsStatic(), kind.isStatic);
    EXPECT_EQ(object->IsActor(), kind.type == VGGOT_ACTOR);
    EXPECT_EQ(object->GetPosition().Z, 0.0f);
    if (kind.isStatic || kind.type == VGGOT_PORTAL) {
      EXPECT_EQ(object->m_tile->Body->Mass, 0.0f) << "never pushed";
    }
    EXPECT_EQ(object->GetGravityAction(), !kind.isStatic && kind.type != VGGOT_PORTAL);
    const std::string idle = VGPYFactory::GetGameObjectStateStr(object->GetState());
    ASSERT_NE(object->FindState(idle), nullptr);
    if (kind.type != VGGOT_GROUP) {
      EXPECT_FALSE(object->FindState(idle)->empty());
      for (const auto& sprite : *object->FindState(idle)) EXPECT_TRUE(sprite->WithTransform);
    }
  }
}

TEST_F(GameObjects, EachSituationEndsAsTheRulesSayAndTheSameEveryTime) {
  for (const Situation& situation : Situations()) {
    SCOPED_TRACE(situation.what);
    const Outcome first = Play(situation);
    situation.check(first);
    EXPECT_TRUE(Play(situation) == first) << "a second run differs";
  }
}

TEST_F(GameObjects, TheScoreScreensStillTickChangesNothing) {
  VGPythonDictionary empty(VGPYFactory::GetInterpreter());
  for (const char* name : {"Tovemmar", "Gribbanoddle", "Weskaroon"}) {
    const boost::shared_ptr<VGPYGameObject> hero = VGPYFactory::Create(name);
    hero->SetPosition({0.09f, 0.076f, 0.0f});
    hero->SetMass(0.0f);
    hero->SetVelocity({1.0f, 0.0f, 0.0f});
    for (int i = 0; i < 3; ++i) hero->Update(empty, 0.0f);
    EXPECT_EQ(hero->GetPosition().X, 0.09f) << name;
    EXPECT_EQ(Number(*hero, "life_time"), 0.0) << name;
  }
}

namespace {

int Lit(const std::vector<DWORD>& pixels, int left, int top, int right, int bottom, int width) {
  int lit = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) lit += (pixels[size_t(y) * width + x] & 0x00FFFFFF) != 0;
  return lit;
}

}  // namespace

TEST_F(GameObjects, ACharacterIsDrawnAtItsPlaceMirroredWhenFacingLeftInItsPhasesFrame) {
  Platform::Testing::SetFakeClock(1000);  // the walk's frame holds still
  const boost::shared_ptr<VGPYGameObject> hero = VGPYFactory::Create("Tovemmar");
  hero->SetPosition({0.5f, 0.5f, 0.0f});
  hero->GetPythonObject()->SetPropertyValueLong(ScriptName("state"), 1);
  const std::vector<DWORD> right = DrawOne(*hero);
  // The box: x 200..220, y 150..180 of the 400 by 300 frame.
  EXPECT_GT(Lit(right, 200, 150, 220, 180, kWidth), 100) << "the character is there";
  EXPECT_EQ(Lit(right, 0, 0, 190, 300, kWidth) + Lit(right, 230, 0, 400, 300, kWidth), 0) << "and nowhere else";

  SetNumber(*hero, "direction", -1.0);
  const std::vector<DWORD> left = DrawOne(*hero);
  const auto brightness = [](DWORD pixel) { return int(pixel & 0xFF) + int((pixel >> 8) & 0xFF) + int((pixel >> 16) & 0xFF); };
  // Mirrored about the box's middle, give or take the rasteriser's rounding of a pixel.
  const auto difference = [&](int mirrorSum) {
    long sum = 0;
    for (int y = 150; y < 180; ++y) {
      for (int x = 200; x < 220; ++x) {
        const int seen = mirrorSum ? mirrorSum - x : x;
        sum += std::abs(brightness(right[size_t(y) * kWidth + x]) - brightness(left[size_t(y) * kWidth + seen]));
      }
    }
    return sum;
  };
  const long mirrored = std::min({difference(418), difference(419), difference(420), difference(421)});
  EXPECT_LT(mirrored * 4, difference(0)) << "facing left is the mirror image";

  SetNumber(*hero, "direction", 1.0);
  EXPECT_EQ(DrawOne(*hero), right);
  hero->m_animOffset = 0.5f;
  EXPECT_NE(Frame([&] { hero->Render(); }), right) << "another phase shows another frame of the walk";
}

TEST_F(GameObjects, AFrameWallDrawsNothingAndAGroupDrawsItsChildren) {
  const boost::shared_ptr<VGPYGameObject> wall(new VGPYGameObject);
  wall->SetPythonObject(VGPYFactory::CreateByTypeName("VGGOT_SIMPLE"));
  wall->SetHalfSize({0.5f, 0.5f, 0.0f});
  EXPECT_EQ(Lit(DrawOne(*wall), 0, 0, kWidth, kHeight, kWidth), 0);

  const boost::shared_ptr<VGPYGameObject> group = VGPYFactory::Create("Group");
  for (float x : {0.1f, 0.6f}) {
    const boost::shared_ptr<VGPYGameObject> piece = VGPYFactory::Create("Ground");
    piece->SetPosition({x, 0.8f, 0.0f});
    piece->SetHalfSize({0.1f, 0.05f, 0.0f});
    group->AddGroupObject(piece);
  }
  const std::vector<DWORD> pixels = DrawOne(*group);
  EXPECT_GT(Lit(pixels, 40, 240, 120, 270, kWidth), 1000) << "the first piece";
  EXPECT_GT(Lit(pixels, 240, 240, 320, 270, kWidth), 1000) << "the second piece";
  EXPECT_EQ(Lit(pixels, 130, 240, 230, 270, kWidth), 0) << "nothing between them";
}
