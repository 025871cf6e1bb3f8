// Plays one level of the game's packs headless, as the game's level mode plays it, on a fake clock:
// each frame asks whether the level is lost, then won, applies the solution's steps that are due,
// updates the level and (first frame, or every frame with --render) draws it. With --as-people-draw
// it plays the solution again, each time from the level's start, with its walls and bridges drawn
// a little off as a person's hand draws them (Variation.h); --vary plays it with the walls and
// bridges moved (positive is down) and scaled as given.
//
//   level-runner [--frame MS] [--render] [--bonus] [--as-people-draw]
//                [--vary BRIDGE_LIFT BRIDGE_WIDTH WALL_LIFT WALL_HEIGHT]... <level Name> [<solution file>]
//
// Run from the game's working directory. Prints a line "<Name>: done|failed|unfinished at <t> s,
// spells accepted A, refused R, ..." per play (followed by the variation's name when varied) and
// answers 0, 1 or 2 for the first play that was not won (0 when all were); a bad solution or a
// failure of the game answers 3.
#include "HeadlessGame.h"
#include "LevelSequenceRules.h"
#include "Solution.h"
#include "VGFrameWalls.h"
#include "Variation.h"
#include "VGLevel.h"
#include "VGLevelPack.h"
#include "VGLevelTrainer.h"
#include "VGPythonObject.h"
#include "VGScriptText.h"
#include "VGWorld.h"

#include "Platform/TestHooks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <list>
#include <string>
#include <vector>

using namespace LevelRunner;

namespace {

struct Options {
  unsigned int frameMilliseconds = 10;
  bool renderEveryFrame = false;
  bool bonus = false;
  bool asPeopleDraw = false;
  std::vector<Variation> variations;
  std::string level;
  std::string solution;
};

Options ReadOptions(int argc, char** argv) {
  Options options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--frame" && i + 1 < argc) {
      options.frameMilliseconds = static_cast<unsigned int>(std::strtoul(argv[++i], nullptr, 10));
    } else if (argument == "--render") {
      options.renderEveryFrame = true;
    } else if (argument == "--bonus") {
      options.bonus = true;
    } else if (argument == "--as-people-draw") {
      options.asPeopleDraw = true;
    } else if (argument == "--vary" && i + 4 < argc) {
      Variation variation{"varied"};
      for (float* value : {&variation.BridgeLift, &variation.BridgeWidth, &variation.WallLift, &variation.WallHeight}) {
        *value = std::strtof(argv[++i], nullptr);
      }
      options.variations.push_back(variation);
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.empty() || positional.size() > 2 || options.frameMilliseconds == 0) {
    throw SolutionError(
        "usage: level-runner [--frame MS] [--render] [--bonus] [--as-people-draw] [--vary BRIDGE_LIFT BRIDGE_WIDTH "
        "WALL_LIFT WALL_HEIGHT]... <level Name> [<solution file>]");
  }
  options.level = positional[0];
  if (positional.size() == 2) options.solution = positional[1];
  return options;
}

enum Outcome { kDone = 0, kFailed = 1, kUnfinished = 2, kError = 3 };

class Play {
 public:
  Play(Vellgrove::VGLevel& level, std::vector<SolutionStep> steps, const std::string& solution)
      : m_level(level), m_steps(std::move(steps)), m_solution(solution) {}

  // The steps due by the level time t: spells drawn, scroll keys pressed for this frame.
  void ApplyDue(double t) {
    for (; m_next < m_steps.size() && m_steps[m_next].At <= t; ++m_next) {
      const SolutionStep& step = m_steps[m_next];
      if (step.What == SolutionStep::Spell) {
        Cast(step);
      } else {
        m_scrolls.push_back(step);
      }
    }
    for (const SolutionStep& scroll : m_scrolls) {
      if (t >= scroll.At + scroll.Held) continue;
      if (scroll.Direction == "LEFT") m_level.ScrollXPlus();
      if (scroll.Direction == "RIGHT") m_level.ScrollXMinus();
      if (scroll.Direction == "UP") m_level.ScrollYPlus();
      if (scroll.Direction == "DOWN") m_level.ScrollYMinus();
    }
  }

  int accepted = 0;
  int refused = 0;

 private:
  // The world point as the level mode hands it over: a fraction of the view under the scroll.
  void Cast(const SolutionStep& step) {
    const Vellgrove::VGLevel::ToolArea& area = m_level.m_toolArea;
    const SCore::SVector3 scroll = m_level.GetWorld()->m_scroll;
    const float x = (step.X + scroll.X) * area.Width + area.X;
    const float y = (step.Y + scroll.Y) * area.Height + area.Y;
    if (x < area.X || x > area.X + area.Width || y < area.Y || y > area.Y + area.Height) {
      throw SolutionError(m_solution + ":" + std::to_string(step.Line) + ": the spell's point is outside the view");
    }
    const bool applied = m_level.ProcessTool(step.Tool, x, y, step.Width, step.Height);
    (applied ? accepted : refused) += 1;
    // The tutorial hears of it as the level mode tells it.
    if (m_level.m_trainer) {
      if (applied) {
        m_level.m_trainer->OnSpell(step.Tool);
      } else {
        m_level.m_trainer->OnSpellFailed();
      }
    }
  }

  Vellgrove::VGLevel& m_level;
  std::vector<SolutionStep> m_steps;
  std::string m_solution;
  size_t m_next = 0;
  std::vector<SolutionStep> m_scrolls;
};

// The characters through the portal within the play time, as the score screen judges its trophy.
int HomeInTime(Vellgrove::VGLevel& level) {
  std::list<boost::shared_ptr<Vellgrove::VGPythonObject>> actors;
  level.GetActors(actors);
  Vellgrove::VGScriptText name("name"), isLife("islife"), isOut("is_out"), lifeTime("life_time");
  const unsigned int playTime = Vellgrove::WholeUnits(level.PlayTime);
  int home = 0;
  for (const auto& actor : actors) {
    if (Vellgrove::CharacterOf(actor->GetPropertyValue(name.Get()).GetResultAsString()) < 0) continue;
    const bool out = actor->GetPropertyValue(isLife.Get()).GetResultAsBool() &&
                     actor->GetPropertyValue(isOut.Get()).GetResultAsBool();
    const unsigned int time = Vellgrove::WholeUnits(actor->GetPropertyValue(lifeTime.Get()).GetResultAsDouble());
    home += out && playTime > time ? 1 : 0;
  }
  return home;
}

std::vector<SolutionStep> Varied(const std::vector<SolutionStep>& steps, const Variation& variation) {
  std::vector<SolutionStep> varied;
  for (const SolutionStep& step : steps) varied.push_back(variation.Apply(step));
  return varied;
}

Outcome PlayOnce(HeadlessGame& game, Vellgrove::VGLevelPack& pack, const Options& options,
                 const std::vector<SolutionStep>& steps, const std::string& variation) {
  pack.SetCurrentLevel(options.level);
  if (pack.GetCurrentLevelName() != options.level) throw SolutionError("no level [" + options.level + "] in the pack");
  Platform::Testing::SetFakeClock(100000);
  const boost::shared_ptr<Vellgrove::VGLevel> level = pack.GetLevel();
  Vellgrove::AddFrameWalls(*level);
  Play play(*level, steps, options.solution);
  // A level not decided well past its play time never will be.
  const double giveUp = level->PlayTime + 10.0;
  Outcome outcome = kUnfinished;
  double t = 0.0;
  for (unsigned long frame = 0; t <= giveUp; ++frame) {
    if (level->IsFailed()) {
      outcome = kFailed;
      break;
    }
    if (level->IsDone()) {
      outcome = kDone;
      break;
    }
    play.ApplyDue(t);
    level->Update(false);
    if (frame == 0 || options.renderEveryFrame) game.Frame([&] { level->Render(); });
    Platform::Testing::AdvanceFakeClock(options.frameMilliseconds);
    t += options.frameMilliseconds * 0.001;
  }
  const char* const words[] = {"done", "failed", "unfinished"};
  std::printf("%s: %s at %.2f s, spells accepted %d, refused %d, home in time %d of %d, time left %.2f s%s\n",
              level->Name.c_str(), words[outcome], t, play.accepted, play.refused, HomeInTime(*level),
              Vellgrove::kCharacterCount, std::max(0.0, level->PlayTime - t), variation.c_str());
  return outcome;
}

int PlayLevel(const Options& options) {
  const std::vector<SolutionStep> steps =
      options.solution.empty() ? std::vector<SolutionStep>() : ReadSolution(options.solution);
  HeadlessGame game;
  Vellgrove::VGLevelPack& pack = options.bonus ? *Vellgrove::g_BonusLevelPack : *Vellgrove::g_LevelPack;
  std::vector<Variation> variations = options.variations;
  if (options.asPeopleDraw) {
    const std::vector<Variation> corners = AsPeopleDraw();
    variations.insert(variations.end(), corners.begin(), corners.end());
  }
  if (variations.empty()) return PlayOnce(game, pack, options, steps, "");
  Outcome first = kDone;
  for (const Variation& variation : variations) {
    const Outcome outcome = PlayOnce(game, pack, options, Varied(steps, variation), ", " + variation.Name);
    if (first == kDone) first = outcome;
  }
  return first;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return PlayLevel(ReadOptions(argc, argv));
  } catch (const std::exception& failure) {
    std::cerr << "level-runner: " << failure.what() << "\n";
    return kError;
  }
}
