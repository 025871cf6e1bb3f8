#include "VGLevelTrainer.h"

#include "DrawAsIs.h"
#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "KorvexCoreException.h"
#include "STinyXMLDeserializator.h"
#include "SFadeCurve.h"
#include "SUILabel.h"
#include "VGLevelTrainerCommandHideArrow.h"
#include "VGLevelTrainerCommandHideSprite.h"
#include "VGLevelTrainerCommandHideTeacher.h"
#include "VGLevelTrainerCommandHideToolTip.h"
#include "VGLevelTrainerCommandJump.h"
#include "VGLevelTrainerCommandShowArrow.h"
#include "VGLevelTrainerCommandShowSprite.h"
#include "VGLevelTrainerCommandShowTeacher.h"
#include "VGLevelTrainerCommandShowToolTip.h"
#include "VGLevelTrainerCommandWait.h"
#include "VGLevelTrainerCommandWaitMapMove.h"
#include "VGLevelTrainerCommandWaitSpell.h"
#include "SpriteFades.h"
#include "VGSpriteCreator.h"
#include "WideToNarrow.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <cmath>
#include <functional>
#include <utility>

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGLevelTrainer";
const int kModulate = 4;
const float kCellHeight = 0.0349027f;
const BYTE kTextColour[4] = {255, 37, 43, 1};

using CommandMaker = std::function<VGLevelTrainerCommand*()>;

template <typename Command>
std::pair<const char*, CommandMaker> Maker(const char* type) {
  return {type, [] { return new Command; }};
}

const std::pair<const char*, CommandMaker> kCommands[] = {
    Maker<VGLevelTrainerCommandShowArrow>("VGLevelTrainerCommandShowArrow"),
    Maker<VGLevelTrainerCommandHideArrow>("VGLevelTrainerCommandHideArrow"),
    Maker<VGLevelTrainerCommandShowTeacher>("VGLevelTrainerCommandShowTeacher"),
    Maker<VGLevelTrainerCommandHideTeacher>("VGLevelTrainerCommandHideTeacher"),
    Maker<VGLevelTrainerCommandShowToolTip>("VGLevelTrainerCommandShowToolTip"),
    Maker<VGLevelTrainerCommandHideToolTip>("VGLevelTrainerCommandHideToolTip"),
    Maker<VGLevelTrainerCommandShowSprite>("VGLevelTrainerCommandShowSprite"),
    Maker<VGLevelTrainerCommandHideSprite>("VGLevelTrainerCommandHideSprite"),
    Maker<VGLevelTrainerCommandWait>("VGLevelTrainerCommandWait"),
    Maker<VGLevelTrainerCommandWaitSpell>("VGLevelTrainerCommandWaitSpell"),
    Maker<VGLevelTrainerCommandWaitMapMove>("VGLevelTrainerCommandWaitMapMove"),
    Maker<VGLevelTrainerCommandJump>("VGLevelTrainerCommandJump"),
};

}  // namespace

VGLevelTrainer::VGLevelTrainer() {
  KORVEX_TRY
    CreateSprites();
  KORVEX_RETHROW("VGLevelTrainer::VGLevelTrainer()", kSource)
}

VGLevelTrainer::~VGLevelTrainer() {
  m_spellWaiters.clear();
  m_mapMoveWaiters.clear();
  m_namedSprites.clear();
  m_commands.clear();
}

void VGLevelTrainer::CreateSprites() {
  m_teacher = VGSpriteCreator::CreateTexturedSprite("TEACHER", 1);
  m_teacher->SetPosition(0.18212890625f, 0.7194010615f);
  m_teacher->SetSize(0.09765625f, 0.12890625f);
  m_teacher->Material.AlphaOp = kModulate;
  m_teacher->TexCoords.Width = 0.78125f;
  m_teacher->TexCoords.Height = 0.78125f;
  m_arrow = VGSpriteCreator::CreateTexturedSprite("ARROWANIM", 0);
  m_arrow->SetPosition(0.2f, 0.7f);
  m_arrow->SetSize(0.0625f, 0.16666667f);
  m_arrow->Material.AlphaOp = kModulate;
  m_arrowFade.reset(new KorvexEngine::SSpriteTransition(1000.0f));
  m_arrowFade->Sprite = m_arrow;
  m_teacherFade.reset(new KorvexEngine::SSpriteTransition(500.0f));
  m_teacherFade->Sprite = m_teacher;
  m_toolTip.reset(new KorvexEngine::UI::SUIToolTip);
  m_toolTip->m_viewport = VGSpriteCreator::GetRenderDevice();
  KorvexEngine::UI::SUILabel& label = *m_toolTip->m_label;
  label.m_background = VGSpriteCreator::CreateTexturedSprite("TRAINERTOOLTIP", 1);
  label.m_background->TexCoords.Width = 0.8046875f;
  label.m_background->TexCoords.Height = 0.8203125f;
  label.m_x = 0.227f;
  label.m_y = 0.79f;
  CreateToolTip(0.08f, 0.66f, 40);
  label.SetText(L"HELLO");
  label.m_alignment = 0;
  label.m_marginLeft = 0.04f;
  label.m_marginTop = 0.010908025f;
  label.m_marginRight = 0.01f;
  label.m_marginBottom = 0.01f;
  m_toolTip->SetFadeMode(1);
  label.m_background->Material.AlphaOp = kModulate;
}

void VGLevelTrainer::CreateToolTip(float cellWidth, float spacing, unsigned int maxCharacters) {
  m_toolTip->Create(cellWidth, kCellHeight, spacing, maxCharacters, g_FontName, g_FontCharsH, g_FontCharsW,
                    g_FontIndent.X, g_FontIndent.Y, g_FontIndent.Width, g_FontIndent.Height);
  std::copy(std::begin(kTextColour), std::end(kTextColour), m_toolTip->GetFont()->Color);
}

boost::shared_ptr<VGLevelTrainerCommand> VGLevelTrainer::CreateCommand(const std::string& type) {
  for (const auto& entry : kCommands) {
    if (type == entry.first) return boost::shared_ptr<VGLevelTrainerCommand>(entry.second());
  }
  return boost::shared_ptr<VGLevelTrainerCommand>();
}

void VGLevelTrainer::Load(const std::wstring& path) {
  KORVEX_TRY
    try {
      ReadCommands(path);
    } catch (const SCore::KorvexCoreException& failure) {
      throw SCore::KorvexCoreException((std::string(failure.what()) + " in " + WideToNarrow(path)).c_str());
    }
  KORVEX_RETHROW("VGLevelTrainer::Load()", kSource)
}

void VGLevelTrainer::ReadCommands(const std::wstring& path) {
  SCore::STinyXMLDeserializator reader(path, g_Locale);
  reader.DoBeginChild("LevelTrainer");
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    reader.DoBeginChild(i);
    std::string type;
    reader.DoDeserialize("Type", type);
    const boost::shared_ptr<VGLevelTrainerCommand> command = CreateCommand(type);
    if (!command) throw SCore::KorvexCoreException(("unknown trainer command type: " + type).c_str());
    command->DoDeserialize(reader);
    m_commands.push_back(command);
    reader.DoEndChild();
  }
  reader.DoEndChild();
}

void VGLevelTrainer::Clear() {
  // The waiters are commands of the list: none may hear of a spell once it is gone.
  m_spellWaiters.clear();
  m_mapMoveWaiters.clear();
  m_commands.clear();
  m_current = 0;
}

void VGLevelTrainer::Restart() {
  m_clock = timeGetTime();
  m_current = 0;
  m_finished = false;
  m_teacherFade->Mode = KorvexEngine::FadedOut;
  m_arrowFade->Mode = KorvexEngine::FadedOut;
}

VGLevelTrainerCommand* VGLevelTrainer::GetCurrent() const {
  return m_current < m_commands.size() ? m_commands[m_current].get() : nullptr;
}

void VGLevelTrainer::Update() {
  KORVEX_TRY
    m_teacherFade->Update();
    m_arrowFade->Update();
    if (!m_finished) {
      if (VGLevelTrainerCommand* current = GetCurrent()) current->Execute(*this);
    }
    for (auto& entry : m_namedSprites) entry.second.Transition->Update();
  KORVEX_RETHROW("VGLevelTrainer::Update()", kSource)
}

void VGLevelTrainer::Render() {
  KORVEX_TRY
    DrawAsIs(*m_teacher);
    if (!m_toolTip->m_hidden) m_toolTip->DoRender(0.0f, 0.0f);
    DrawAsIs(*m_arrow);
    m_arrow->SetSize(m_arrow->Position.Width, 0.08f + 0.007f * std::sin(0.01f * float(timeGetTime())));
    for (auto& entry : m_namedSprites) DrawAsIs(*entry.second.Sprite);
  KORVEX_RETHROW("VGLevelTrainer::Render()", kSource)
}

void VGLevelTrainer::OnSpell(VGToolType tool) {
  for (VGLevelTrainerCommandWaitSpell* waiter : m_spellWaiters) {
    waiter->Answer(tool == waiter->Spell ? waiter->DoneID : waiter->ErrorID);
  }
}

void VGLevelTrainer::OnSpellFailed() {
  for (VGLevelTrainerCommandWaitSpell* waiter : m_spellWaiters) waiter->Answer(waiter->ErrorID);
}

void VGLevelTrainer::OnMapMove(VGMapMoveType move) {
  for (VGLevelTrainerCommandWaitMapMove* waiter : m_mapMoveWaiters) waiter->m_matched = move == waiter->MoveType;
}

void VGLevelTrainer::Advance() {
  if (m_finished) return;
  ++m_current;
  if (m_current >= m_commands.size()) m_finished = true;
}

void VGLevelTrainer::JumpTo(const std::string& id) {
  m_current = m_commands.size();
  for (size_t i = 0; i < m_commands.size(); ++i) {
    if (m_commands[i]->ID == id) {
      m_current = i;
      return;
    }
  }
}

void VGLevelTrainer::ShowTeacher(float x, float y) {
  m_teacher->SetPosition(std::trunc(x * 1024.0f) / 1024.0f - 0.00048828125f,
                         std::trunc(y * 768.0f) / 768.0f - 0.0006510417f);
  FadeIn(*m_teacherFade);
}

void VGLevelTrainer::ShowArrow(float x, float y, float angle) {
  m_arrow->SetPosition(x, y);
  m_arrow->Angle = angle;
  m_arrow->CacheValid = false;
  FadeIn(*m_arrowFade);
}

void VGLevelTrainer::ShowToolTip(const std::wstring& text) {
  KORVEX_TRY
    const bool wasShown = m_toolTip->m_shown;
    CreateToolTip(0.017f, 1.12f, static_cast<unsigned int>(text.size()));
    KorvexEngine::UI::SUILabel& label = *m_toolTip->m_label;
    label.SetText(text);
    label.m_x = m_teacher->Position.X + 0.082f;
    label.m_y = m_teacher->Position.Y;
    m_toolTip->m_fixedWidth = false;
    ApplyFontGlyphs(m_toolTip->GetFont());
    // A second text while the first still shows: re-making the fades hid it, so it fades in anew.
    if (wasShown) m_toolTip->m_shown = false;
    m_toolTip->Show();
  KORVEX_RETHROW("VGLevelTrainer::ShowToolTip()", kSource)
}

void VGLevelTrainer::ShowSprite(const std::string& name,
                                const boost::shared_ptr<KorvexEngine::SSpriteTransition>& transition,
                                const boost::shared_ptr<KorvexEngine::SSprite>& sprite) {
  m_namedSprites[name] = VGLevelTrainerNamedSprite{transition, sprite};
}

void VGLevelTrainer::FadeIn(KorvexEngine::SSpriteTransition& fade) { StartFade(fade, KorvexEngine::FadingIn); }

void VGLevelTrainer::FadeOut(KorvexEngine::SSpriteTransition& fade) { StartFade(fade, KorvexEngine::FadingOut); }

}  // namespace Vellgrove
