#pragma once

#include "SSprite.h"
#include "SSpriteTransition.h"
#include "SUIToolTip.h"
#include "VGLevelTrainerNamedSprite.h"
#include "VGMapMoveType.h"
#include "VGToolType.h"

#include <boost/shared_ptr.hpp>

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace Vellgrove {

class VGLevelTrainerCommand;
class VGLevelTrainerCommandWaitMapMove;
class VGLevelTrainerCommandWaitSpell;

// Plays a tutorial script over a screen: a teacher that fades in, a pulsing arrow, a text bubble
// and named sprites, one command per update, moved on by time, by the player's spells and by the
// player's scrolling. Set up by Clear (when reused), Load and Restart.
class VGLevelTrainer {
 public:
  using CommandList = std::vector<boost::shared_ptr<VGLevelTrainerCommand>>;

  VGLevelTrainer();
  ~VGLevelTrainer();
  VGLevelTrainer(const VGLevelTrainer&) = delete;
  VGLevelTrainer& operator=(const VGLevelTrainer&) = delete;

  // Appends the script's commands. A failure names the file; the commands read before it stay.
  void Load(const std::wstring& path);
  // The command class of that "Type", or none.
  static boost::shared_ptr<VGLevelTrainerCommand> CreateCommand(const std::string& type);
  // Removes every command and every registered waiter; the named sprites stay.
  void Clear();
  // From the first command again, the teacher and the arrow gone at once.
  void Restart();
  void Update();
  void Render();

  void OnSpell(VGToolType tool);
  void OnSpellFailed();
  void OnMapMove(VGMapMoveType move);

  void Advance();
  void JumpTo(const std::string& id);
  void ShowTeacher(float x, float y);
  void ShowArrow(float x, float y, float angle);
  void ShowToolTip(const std::wstring& text);
  void ShowSprite(const std::string& name, const boost::shared_ptr<KorvexEngine::SSpriteTransition>& transition,
                  const boost::shared_ptr<KorvexEngine::SSprite>& sprite);

  static void FadeIn(KorvexEngine::SSpriteTransition& fade);
  static void FadeOut(KorvexEngine::SSpriteTransition& fade);

  const CommandList& GetCommands() const { return m_commands; }
  // The current command, or none.
  VGLevelTrainerCommand* GetCurrent() const;
  bool IsFinished() const { return m_finished; }

  boost::shared_ptr<KorvexEngine::SSprite> m_teacher;
  boost::shared_ptr<KorvexEngine::SSprite> m_arrow;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_teacherFade;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_arrowFade;
  boost::shared_ptr<KorvexEngine::UI::SUIToolTip> m_toolTip;
  unsigned int m_clock = 0;
  std::unordered_map<std::string, VGLevelTrainerNamedSprite> m_namedSprites;
  std::list<VGLevelTrainerCommandWaitSpell*> m_spellWaiters;
  std::list<VGLevelTrainerCommandWaitMapMove*> m_mapMoveWaiters;

 private:
  void CreateSprites();
  void CreateToolTip(float cellWidth, float spacing, unsigned int maxCharacters);
  void ReadCommands(const std::wstring& path);

  CommandList m_commands;
  size_t m_current = 0;
  bool m_finished = false;
};

}  // namespace Vellgrove
