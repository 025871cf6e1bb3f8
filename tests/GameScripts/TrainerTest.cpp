// The tutorial trainer on the fake clock with the game's textures and font: commands one per
// update, waits, jumps, spells and scrolls, named sprites, the tooltip, loading failures, and the
// shipped scripts.
#include "GameDataFixture.h"
#include "ScriptTestSupport.h"
#include "SFadeCurve.h"
#include "VGLevelTrainer.h"
#include "VGLevelTrainerCommand.h"
#include "VGLevelTrainerCommandJump.h"
#include "VGLevelTrainerCommandWaitSpell.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

using namespace Vellgrove;
using TestSupport::MessageOf;

namespace {

std::string Command(const std::string& type, const std::string& attributes = "", const std::string& id = "") {
  return "<C Type=\"VGLevelTrainerCommand" + type + "\"" + (id.empty() ? "" : " ID=\"" + id + "\"") +
         (attributes.empty() ? "" : " " + attributes) + "></C>";
}

const std::string kSpriteElement =
    "<Sprite ColorLU=\"4294967295\" ColorRU=\"4294967295\" ColorLD=\"4294967295\" ColorRD=\"4294967295\" Angle=\"0\" "
    "CoordAligment=\"1\" WithTransform=\"1\" FlipHorizontal=\"0\" FlipVertical=\"0\" XScaleFactor=\"1\" "
    "YScaleFactor=\"1\"><Position X=\"0.1\" Y=\"0.1\" Width=\"0.2\" Height=\"0.2\"></Position><TexCoords X=\"0\" "
    "Y=\"0\" Width=\"1\" Height=\"1\"></TexCoords><Mesh Name=\"m\"><Material CullMode=\"1\" FillMode=\"3\" "
    "AlphaBlend=\"1\" SrcBlend=\"5\" DstBlend=\"6\" ZWrite=\"0\" Lighting=\"0\" IsFogEnable=\"0\"><Textures "
    "Texture1=\"TEACHER\"></Textures></Material></Mesh></Sprite>";

std::string ShowSprite(const std::string& name) {
  return "<C Type=\"VGLevelTrainerCommandShowSprite\" Name=\"" + name + "\">" + kSpriteElement + "</C>";
}

class Trainer : public GameTest::GameDataFixture {
 protected:
  void SetUp() override {
    GameDataFixture::SetUp();
    Platform::Testing::SetFakeClock(10000);
    trainer.reset(new VGLevelTrainer);
  }
  void TearDown() override {
    trainer.reset();
    GameDataFixture::TearDown();
  }

  std::wstring Script(const std::vector<std::string>& commands) {
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<LevelTrainer>";
    for (const std::string& command : commands) text += command;
    const std::string path = folder.Write("script" + std::to_string(++m_scripts) + ".xml", text + "</LevelTrainer>");
    return std::wstring(path.begin(), path.end());
  }

  void Play(const std::vector<std::string>& commands) {
    trainer->Clear();
    trainer->Load(Script(commands));
    trainer->Restart();
  }

  // The position of the current command in the script, or -1 when none is current.
  int Current() const {
    const VGLevelTrainerCommand* current = trainer->GetCurrent();
    const auto& commands = trainer->GetCommands();
    for (size_t i = 0; i < commands.size(); ++i)
      if (commands[i].get() == current) return int(i);
    return -1;
  }

  void Tick(unsigned int milliseconds = 10) {
    Platform::Testing::AdvanceFakeClock(milliseconds);
    trainer->Update();
  }

  boost::shared_ptr<VGLevelTrainer> trainer;

 private:
  int m_scripts = 0;
};

}  // namespace

TEST_F(Trainer, ImmediateCommandsRunOnePerUpdateAndAWaitLastsMoreThanItsTime) {
  Play({Command("ShowTeacher", "X=\"0.5\" Y=\"0.5\""), Command("Wait", "Time=\"1000\""), Command("HideTeacher")});
  Tick();
  EXPECT_EQ(trainer->m_teacherFade->Mode, KorvexEngine::FadingIn) << "the teacher fades in at the first update";
  EXPECT_FLOAT_EQ(trainer->m_teacher->Position.X, 0.49951171875f);
  EXPECT_FLOAT_EQ(trainer->m_teacher->Position.Y, 0.5f - 0.5f / 768.0f);
  Tick();  // the wait's first run
  Tick(1000);
  EXPECT_EQ(Current(), 1) << "exactly its time is not more than it";
  Tick(1);
  EXPECT_EQ(Current(), 2);
  Tick();
  EXPECT_TRUE(trainer->IsFinished());
  EXPECT_EQ(trainer->m_teacherFade->Mode, KorvexEngine::FadingOut);

  trainer->Restart();
  EXPECT_FALSE(trainer->IsFinished()) << "a restart plays the script again";
  EXPECT_EQ(trainer->m_teacherFade->Mode, KorvexEngine::FadedOut) << "and hides the teacher at once";
  EXPECT_EQ(Current(), 0);
}

TEST_F(Trainer, JumpsGoToTheFirstCommandOfTheirIDOrStopTheScript) {
  Play({Command("Wait", "Time=\"0\"", "top"), Command("Jump", "CommandID=\"top\""), Command("Wait", "Time=\"0\"", "top")});
  for (int round = 0; round < 3; ++round) {
    Tick();
    Tick();
    EXPECT_EQ(Current(), 1) << "round " << round;
    Tick();
    EXPECT_EQ(Current(), 0) << "back to the first of the two commands named top";
  }
  Play({Command("Jump", "CommandID=\"nowhere\""), Command("HideArrow")});
  Tick();
  EXPECT_EQ(Current(), -1) << "an unknown ID stops the script";
  EXPECT_FALSE(trainer->IsFinished());
  Play({Command("HideArrow", "", "named"), Command("HideArrow"), Command("Jump", "CommandID=\"\"")});
  Tick();
  Tick();
  Tick();
  EXPECT_EQ(Current(), 1) << "an empty ID goes to the first command without one";
}

TEST_F(Trainer, ASpellWaitJumpsByTheSpellAndHearsSpellsWhileNotCurrent) {
  Play({Command("WaitSpell", "Spell=\"VGTT_WALL\" DoneID=\"done\" ErrorID=\"error\"", "wait"),
        Command("Jump", "CommandID=\"wait\"", "error"), Command("Jump", "CommandID=\"wait\"", "done")});
  trainer->OnSpell(VGTT_BRIDGE);  // nobody registered yet: nothing happens
  Tick();
  EXPECT_EQ(Current(), 0);
  struct Case {
    const char* what;
    int spell;  // -1 for a failed stroke
    int lands;
  };
  const Case cases[] = {{"a bridge", VGTT_BRIDGE, 1}, {"a wall", VGTT_WALL, 2}, {"a failed stroke", -1, 1}};
  for (const Case& c : cases) {
    if (c.spell < 0) {
      trainer->OnSpellFailed();
    } else {
      trainer->OnSpell(static_cast<VGToolType>(c.spell));
    }
    Tick();
    EXPECT_EQ(Current(), c.lands) << c.what;
    trainer->OnSpell(VGTT_WALL);  // heard while not current
    Tick();
    Tick();
    EXPECT_EQ(Current(), 2) << c.what << ", then the wall heard while away";
    Tick();
  }
}

TEST_F(Trainer, AScrollWaitFollowsTheLatestPush) {
  Play({Command("WaitMapMove", "MoveType=\"LEFT\""), Command("HideArrow")});
  Tick();
  trainer->OnMapMove(VGMMT_LEFT);
  trainer->OnMapMove(VGMMT_RIGHT);
  Tick();
  EXPECT_EQ(Current(), 0) << "the frame's last push went right";
  trainer->OnMapMove(VGMMT_LEFT);
  Tick();
  EXPECT_EQ(Current(), 1);
}

TEST_F(Trainer, NamedSpritesReplaceEachOtherAndStayWhenHidden) {
  Play({ShowSprite("sign"), ShowSprite("sign"), Command("HideSprite", "Name=\"sign\""),
        Command("HideSprite", "Name=\"ghost\""), Command("HideArrow")});
  Tick();
  Tick();
  const auto second = trainer->m_namedSprites.at("sign");
  EXPECT_EQ(second.Transition->Mode, KorvexEngine::FadingIn);
  Tick();
  EXPECT_EQ(trainer->m_namedSprites.size(), 1u);
  EXPECT_EQ(trainer->m_namedSprites.at("sign").Sprite, second.Sprite) << "the second replaced the first";
  EXPECT_EQ(second.Transition->Mode, KorvexEngine::FadingOut);
  Tick();
  EXPECT_EQ(trainer->m_namedSprites.count("ghost"), 0u) << "an unknown name only advances";
  EXPECT_EQ(Current(), 4);
  trainer->Clear();
  trainer->Restart();
  EXPECT_EQ(trainer->m_namedSprites.size(), 1u) << "named sprites outlive Clear and Restart";
}

TEST_F(Trainer, ASecondTextWhileTheFirstShowsIsShown) {
  Play({Command("ShowToolTip", "Text=\"First\""), Command("ShowToolTip", "Text=\"Second words\"")});
  Tick();
  Tick(600);
  Tick(600);
  EXPECT_EQ(trainer->m_toolTip->m_label->m_text, L"Second words");
  EXPECT_TRUE(trainer->m_toolTip->m_shown);
  Frame([&] { trainer->Render(); });
  EXPECT_EQ(trainer->m_toolTip->m_spriteTransition->Mode, KorvexEngine::FadedIn) << "faded in anew, not left hidden";
}

TEST_F(Trainer, ClearForgetsTheWaitersWithTheirCommands) {
  Play({Command("WaitSpell", "Spell=\"VGTT_WALL\" DoneID=\"a\" ErrorID=\"b\""),
        Command("WaitMapMove", "MoveType=\"UP\"")});
  Tick();
  trainer->Clear();
  trainer->OnSpell(VGTT_WALL);
  trainer->OnMapMove(VGMMT_UP);
  EXPECT_TRUE(trainer->m_spellWaiters.empty());
  EXPECT_TRUE(trainer->m_mapMoveWaiters.empty());
}

TEST_F(Trainer, TheArrowPulsesWithTheClock) {
  Platform::Testing::SetFakeClock(0);
  Frame([&] { trainer->Render(); });
  EXPECT_FLOAT_EQ(trainer->m_arrow->Position.Height, 0.08f);
  Platform::Testing::SetFakeClock(157);
  Frame([&] { trainer->Render(); });
  EXPECT_NEAR(trainer->m_arrow->Position.Height, 0.087f, 1e-5);
}

TEST_F(Trainer, BadScriptsFailTheLoadNamingTheFile) {
  struct Case {
    std::vector<std::string> commands;
    const char* message;
  };
  const Case cases[] = {
      {{Command("Dance")}, "unknown trainer command type: VGLevelTrainerCommandDance"},
      {{Command("WaitMapMove", "MoveType=\"left\"")}, "unknown move type"},
      {{Command("WaitSpell", "Spell=\"VGTT_FLY\" DoneID=\"a\" ErrorID=\"b\"")}, "unknown tool type"},
      {{Command("Wait")}, "Time"},
      {{Command("Wait", "Time=\"soon\"")}, "value[soon] of attribute[Time]"},
  };
  for (const Case& c : cases) {
    VGLevelTrainer fresh;
    const std::wstring path = Script(c.commands);
    const std::string message = MessageOf([&] { fresh.Load(path); });
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    EXPECT_NE(message.find(std::string(path.begin(), path.end())), std::string::npos) << message;
  }
}

TEST_F(Trainer, EveryShippedScriptLoadsAndJumpsOnlyToIDsItHas) {
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator("Levels/help")) {
    SCOPED_TRACE(entry.path().string());
    VGLevelTrainer shipped;
    const std::string path = entry.path().string();
    shipped.Load(std::wstring(path.begin(), path.end()));
    std::set<std::string> ids;
    for (const auto& command : shipped.GetCommands()) ids.insert(command->ID);
    for (const auto& command : shipped.GetCommands()) {
      if (const auto* jump = dynamic_cast<const VGLevelTrainerCommandJump*>(command.get())) {
        EXPECT_EQ(ids.count(jump->CommandID), 1u) << jump->CommandID;
      }
      if (const auto* wait = dynamic_cast<const VGLevelTrainerCommandWaitSpell*>(command.get())) {
        EXPECT_EQ(ids.count(wait->DoneID), 1u) << wait->DoneID;
        EXPECT_EQ(ids.count(wait->ErrorID), 1u) << wait->ErrorID;
      }
    }
    ++scripts;
  }
  EXPECT_EQ(scripts, 5) << "one for each spell's first level";
}
