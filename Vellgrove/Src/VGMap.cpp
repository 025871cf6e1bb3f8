#include "VGMap.h"

#include "DrawAsIs.h"
#include "FontGlyphs.h"
#include "GameGlobals.h"
#include "KorvexCoreException.h"
#include "SInputMessager.h"
#include "SSprite.h"
#include "SUIButton.h"
#include "SUIEvent.h"
#include "SUIForm.h"
#include "SUILabel.h"
#include "SUIToolTip.h"
#include "SXMLDeserializator.h"
#include "TexelCentre.h"
#include "VGLevelPack.h"
#include "VGLevelTrainer.h"
#include "VGSpriteCreator.h"
#include "VGTextManager.h"
#include "VGUserProfileManager.h"
#include "WideToNarrow.h"
#include "srethrow.h"

#include "Platform/CodePage.h"
#include "Platform/MMSystem.h"

#include <algorithm>
#include <cmath>

namespace Vellgrove {

namespace {

using KorvexEngine::SSprite;
using KorvexEngine::UI::SUIButton;
typedef boost::shared_ptr<SSprite> Sprite;

const char* const kSource = "..\\Src\\VGMap";
const std::wstring kMainMap = L"Levels\\map.xml";
const std::wstring kBonusMap = L"Levels\\map_bonus.xml";
const unsigned int kLevelsWithPaths = 29;
const float kPotWidth = 0.03515625f, kPotHeight = 0.08203125f;
const float kButtonWidth = 0.1025390625f, kButtonHeight = 0.0546875f;
const float kDotStep = 0.0087890625f;
const unsigned int kBonusColumns = 5;
const float kBonusCellWidth = 0.14570312f, kBonusCellHeight = 0.28385416f, kBonusCellTextureHeight = 0.42578125f;

// A fraction of the screen on the pixel grid of the 1024 by 768 reference screen.
float OnPixelX(float x) { return std::trunc(x * 1024.0f) / 1024.0f - 1.0f / 2048.0f; }
float OnPixelY(float y) { return std::trunc(y * 768.0f) / 768.0f - 0.000651041686f; }

Sprite Face(const char* texture, float left, float top, float right, float bottom) {
  const Sprite sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
  sprite->TexCoords = {left, top, right, bottom};
  sprite->CoordAligment = 1;
  return sprite;
}

void SetFaces(SUIButton& button, const Sprite& resting, const Sprite& lit) {
  button.m_normalSprite = button.m_downSprite = resting;
  button.m_overSprite = lit;
}

void Show(SUIButton& button, bool shown) {
  button.m_hidden = !shown;
  button.m_enabled = shown;
}

// Show names are the code page's text; one that does not convert shows byte by byte.
std::wstring ShowNameText(const std::string& name) {
  std::wstring wide;
  if (Platform::CodePage(g_Locale).ToWide(name, wide)) return wide;
  return std::wstring(name.begin(), name.end());
}

std::wstring PotText(const char* key, const VGLevelPack& pack, unsigned int level) {
  return GetText(key) + ShowNameText(pack.GetLevelShowName(level));
}

std::pair<float, float> ReadPosition(SCore::SDeserializator& reader) {
  std::pair<float, float> point;
  reader.DoBeginChild("Position");
  reader.DoDeserialize("X", point.first);
  reader.DoDeserialize("Y", point.second);
  reader.DoEndChild();
  return point;
}

}  // namespace

VGMap::VGMap(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager)
    : m_inputMessager(inputMessager), m_pathsPerLevel(kLevelsWithPaths, 1) {
  KORVEX_TRY
    CreateSprites();
    CreateForms();
    CreatePots();
    m_inputMessager->AddListener(m_mapForm);
    m_inputMessager->AddListener(m_mapBonusForm);
    CreateButtons();
    m_trainer.reset(new VGLevelTrainer);
    m_mapForm->m_renderCallback.reset(new KorvexEngine::UI::SUIEvent<VGMap>(&VGMap::OnFrame, this));
    m_mapForm->m_enabled = m_mapBonusForm->m_enabled = false;
  KORVEX_RETHROW("VGMap::VGMap()", kSource)
}

VGMap::~VGMap() = default;

void VGMap::CreateSprites() {
  m_playedPot = Face("LEVELPOTS", 0.0f, 0.5f, 0.28125f, 1.0f);
  m_playedPotLit = Face("LEVELPOTS", 0.5f, 0.5f, 0.78125f, 1.0f);
  m_currentPot = Face("LEVELPOTS", 0.0f, 0.0f, 0.28125f, 0.5f);
  m_currentPotLit = Face("LEVELPOTS", 0.5f, 0.0f, 0.78125f, 0.5f);
  m_star = VGSpriteCreator::CreateTexturedSprite("STAR", 0);
  m_star->SetSize(0.0244140625f, 0.0416666679f);
  m_star->CoordAligment = 0;
  m_star->TexCoords = {0.0f, 0.0f, 0.78125f, 1.0f};
  m_dot = VGSpriteCreator::CreateTexturedSprite("DOT", 0);
  m_dot->SetSize(0.0048828125f, 0.0052083335f);
  m_dot->CoordAligment = 1;
  m_dot->TexCoords = {0.0f, 0.0f, 0.625f, 0.625f};
}

void VGMap::CreateForms() {
  const auto form = [](const char* name, const char* background) {
    const boost::shared_ptr<KorvexEngine::UI::SUIForm> made(new KorvexEngine::UI::SUIForm(name));
    made->m_viewport = VGSpriteCreator::GetRenderDevice();
    made->m_x = made->m_y = 0.0f;
    made->m_width = made->m_height = 1.0f;
    made->m_background = Face(background, 0.0f, 0.0f, 1.0f, 0.75f);
    return made;
  };
  m_mapForm = form("Map", "MAP");
  m_mapBonusForm = form("MapBonus", "MAPBONUS");
}

void VGMap::CreatePots() {
  const boost::shared_ptr<KorvexEngine::UI::SUIToolTip> toolTip(new KorvexEngine::UI::SUIToolTip);
  toolTip->m_viewport = VGSpriteCreator::GetRenderDevice();
  KorvexEngine::UI::SUILabel& label = *toolTip->m_label;
  label.m_background = VGSpriteCreator::CreateTexturedSprite("TOOLTIP", 1);
  toolTip->Create(0.014f, 0.03125f, 1.12f, 8, g_FontName, g_FontCharsH, g_FontCharsW, g_FontIndent.X, g_FontIndent.Y,
                  g_FontIndent.Width, g_FontIndent.Height);
  label.m_alignment = 2;
  label.m_marginLeft = label.m_marginRight = 0.009765625f;
  label.m_marginTop = label.m_marginBottom = 0.0052083f;
  const BYTE colour[4] = {255, 10, 10, 10};
  std::copy(colour, colour + 4, toolTip->GetFont()->Color);
  toolTip->SetFadeMode(1);
  toolTip->m_offsetX = -0.0545656234f;
  toolTip->m_offsetY = 0.04333f;
  ApplyFontGlyphs(toolTip->GetFont());

  Load(*g_LevelPack, toolTip, m_pots, kMainMap);
  if (m_pots.size() > kMaxMainPots) {
    throw SCore::KorvexCoreException(("map [" + WideToNarrow(kMainMap) + "] has " + std::to_string(m_pots.size()) +
                                      " pots; the players' trophies cover " + std::to_string(kMaxMainPots))
                                         .c_str());
  }
  for (const auto& pot : m_pots) m_mapForm->AddControl(pot);
  Load(*g_BonusLevelPack, boost::shared_ptr<KorvexEngine::UI::SUIToolTip>(), m_bonusPots, kBonusMap);
  LayOutBonusPots();
}

void VGMap::Load(const VGLevelPack& pack, const boost::shared_ptr<KorvexEngine::UI::SUIToolTip>& toolTip,
                 std::vector<boost::shared_ptr<SUIButton>>& pots, const std::wstring& path) {
  SCore::SXMLDeserializator reader(path);
  reader.DoBeginChild("map");
  reader.DoBeginChild("GameObjects");
  const unsigned int children = reader.DoGetChildCount();
  for (unsigned int i = 0; i < children; ++i) {
    reader.DoBeginChild(i);
    std::string name;
    reader.DoDeserialize("Name", name);
    if (name == "Quessa1") {
      // Pot k picks level k: a pot beyond the pack would pick a level that is not there.
      if (pots.size() >= pack.GetLevelCount()) {
        throw SCore::KorvexCoreException(("map [" + WideToNarrow(path) + "] has more pots than its pack's " +
                                          std::to_string(pack.GetLevelCount()) + " levels")
                                             .c_str());
      }
      const std::pair<float, float> at = ReadPosition(reader);
      const boost::shared_ptr<SUIButton> pot(new SUIButton);
      pot->m_viewport = VGSpriteCreator::GetRenderDevice();
      pot->m_x = OnPixelX(at.first);
      pot->m_y = OnPixelY(at.second);
      pot->m_width = kPotWidth;
      pot->m_height = kPotHeight;
      SetFaces(*pot, m_playedPot, m_playedPotLit);
      pot->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VGMap>(&VGMap::OnPotClick, this));
      pot->m_toolTip = toolTip;
      if (toolTip) pot->m_toolTipText = PotText("PLAYLEVEL", pack, i);
      pots.push_back(pot);
    } else if (name == "Group") {
      std::vector<std::pair<float, float>> path;
      for (unsigned int p = 0; p < reader.DoGetChildCount(); ++p) {
        reader.DoBeginChild(p);
        if (reader.DoGetNodeName() == "GameObject") path.push_back(ReadPosition(reader));
        reader.DoEndChild();
      }
      m_paths.push_back(path);
    }
    reader.DoEndChild();
  }
  reader.DoEndChild();
  reader.DoEndChild();
  for (const unsigned int level : {3u, 5u, 20u}) m_pathsPerLevel[level] = 2;
}

void VGMap::LayOutBonusPots() {
  const float width = std::trunc(kBonusCellWidth * 1024.0f) / 1024.0f;
  const float height = std::trunc(kBonusCellHeight * 768.0f) / 768.0f;
  for (size_t k = 0; k < m_bonusPots.size(); ++k) {
    const float column = float(k % kBonusColumns), row = float(k / kBonusColumns);
    const float left = column * kBonusCellWidth, top = row * kBonusCellTextureHeight;
    SUIButton& pot = *m_bonusPots[k];
    const auto face = [&] {
      const Sprite sprite = Face("BONUSLEVELPOTS", left, top, left + kBonusCellWidth, top + kBonusCellTextureHeight);
      sprite->SetSize(kBonusCellWidth, kBonusCellHeight);
      return sprite;
    };
    SetFaces(pot, face(), face());
    pot.m_x = OnPixelX(0.136f + column * kBonusCellWidth);
    pot.m_y = OnPixelY(0.161f + row * kBonusCellHeight);
    pot.m_width = width;
    pot.m_height = height;
    m_mapBonusForm->AddControl(m_bonusPots[k]);
  }
}

void VGMap::CreateButtons() {
  const struct {
    const char* texture;
    float x, y;
    void (VGMap::*onClick)();
  } buttons[] = {
      {"MAPBTNMENU", 0.03662109375f, 0.8248698115f, &VGMap::OnMenuClick},
      {"MAPBTNNEXT", 0.03662109375f, 0.759765625f, &VGMap::OnNextClick},
      {"MAPBTNTROPHIES", TexelCentre(0.038f, 1024.0f), TexelCentre(0.894f, 768.0f), &VGMap::OnTrophiesClick},
  };
  for (const auto& spec : buttons) {
    const boost::shared_ptr<SUIButton> button(new SUIButton);
    button->m_viewport = VGSpriteCreator::GetRenderDevice();
    button->m_x = spec.x;
    button->m_y = spec.y;
    button->m_width = kButtonWidth;
    button->m_height = kButtonHeight;
    SetFaces(*button, Face(spec.texture, 0.0f, 0.0f, 0.8203125f, 0.3359375f),
             Face(spec.texture, 0.0f, 0.3359375f, 0.8203125f, 0.671875f));
    button->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VGMap>(spec.onClick, this));
    m_mapForm->AddControl(button);
    m_mapBonusForm->AddControl(button);
    if (spec.onClick == &VGMap::OnNextClick) m_nextButton = button;
  }
}

const std::vector<boost::shared_ptr<SUIButton>>& VGMap::GetPots() const { return m_isBonus ? m_bonusPots : m_pots; }

const boost::shared_ptr<KorvexEngine::UI::SUIForm>& VGMap::GetForm() const {
  return m_isBonus ? m_mapBonusForm : m_mapForm;
}

const VGLevelPack& VGMap::FacePack() const { return m_isBonus ? *g_BonusLevelPack : *g_LevelPack; }

std::string VGMap::GetCurrentLevelName() const {
  return m_isBonus ? g_UserProfileManager->GetBonusLevel() : g_UserProfileManager->GetLevel();
}

unsigned int VGMap::CurrentIndex() const {
  if (!g_UserProfileManager || !g_UserProfileManager->HasProfiles()) return 0;
  return FacePack().GetLevelIndex(GetCurrentLevelName());
}

void VGMap::Refresh() {
  KORVEX_TRY
    const unsigned int current = CurrentIndex();
    if (m_isBonus) {
      RefreshBonusPots();
    } else {
      RefreshMainPots(current);
    }
    (m_isBonus ? m_playsCurrentBonusLevel : m_playsCurrentLevel) = false;
    m_done.store(false, std::memory_order_release);
    if (current == 0) {
      LoadMapTrainer1();
    } else if (current == 1) {
      LoadMapTrainer2();
    } else {
      m_trainer->Clear();
    }
    m_trainer->m_toolTip->Hide();
    m_trainer->Restart();
    GetForm()->m_enabled = true;
  KORVEX_RETHROW("VGMap::Refresh()", kSource)
}

void VGMap::RefreshMainPots(unsigned int current) {
  for (unsigned int m = 0; m < m_pots.size(); ++m) {
    SUIButton& pot = *m_pots[m];
    Show(pot, m <= current);
    if (m > current) continue;
    pot.m_toolTipText = PotText(m == current ? "PLAYLEVEL" : "REPLAYLEVEL", *g_LevelPack, m);
    if (m == current) {
      SetFaces(pot, m_currentPot, m_currentPotLit);
    } else {
      SetFaces(pot, m_playedPot, m_playedPotLit);
    }
  }
  Show(*m_nextButton, true);
}

void VGMap::RefreshBonusPots() {
  const boost::shared_ptr<VGUserProfile> profile = CurrentProfile();
  for (unsigned int k = 0; k < m_bonusPots.size(); ++k) {
    Show(*m_bonusPots[k], !(profile && profile->IsBonusLevelDone(k)));
  }
  Show(*m_nextButton, false);
}

void VGMap::LoadMapTrainer1() {
  m_trainer->Clear();
  m_trainer->Load(L"Levels\\map_trainer_1.xml");
  m_trainer->Restart();
}

void VGMap::LoadMapTrainer2() {
  m_trainer->Clear();
  m_trainer->Load(L"Levels\\map_trainer_2.xml");
  m_trainer->Restart();
}

void VGMap::OnFrame() {
  if (g_UserProfileManager && g_UserProfileManager->HasProfiles()) DrawPaths(CurrentIndex());
  m_trainer->Update();
  m_trainer->Render();
  m_star->XScaleFactor = std::sin(float(timeGetTime()) * 0.003f);
  m_star->CacheValid = false;
  DrawStars();
}

void VGMap::DrawPaths(unsigned int current) {
  const unsigned int levels = std::min(current, kLevelsWithPaths);
  unsigned int count = 0;
  for (unsigned int level = 0; level < levels; ++level) count += unsigned(m_pathsPerLevel[level]);
  count = std::min(count, unsigned(m_paths.size()));
  for (unsigned int p = 0; p < count; ++p) {
    const std::vector<std::pair<float, float>>& path = m_paths[p];
    for (size_t i = 1; i < path.size(); ++i) {
      const float dx = path[i].first - path[i - 1].first, dy = path[i].second - path[i - 1].second;
      const float length = std::sqrt(dx * dx + dy * dy);
      const unsigned int steps = static_cast<unsigned int>(length / kDotStep);
      float x = path[i - 1].first, y = path[i - 1].second;
      for (unsigned int s = 0; s < steps; ++s) {
        m_dot->SetPosition(OnPixelX(x), OnPixelY(y));
        DrawAsIs(*m_dot);
        x += dx / float(steps);
        y += dy / float(steps);
      }
    }
  }
}

void VGMap::DrawStars() {
  const boost::shared_ptr<VGUserProfile> profile = CurrentProfile();
  if (!profile) return;
  const std::vector<boost::shared_ptr<SUIButton>>& pots = GetPots();
  const float width = 0.0244140625f, height = 0.0416666679f;
  for (size_t k = 0; k < pots.size() && k < VGUserProfile::kTrophyCount; ++k) {
    if (profile->m_trophies[k] != 1) continue;
    const SUIButton& pot = *pots[k];
    m_star->SetPosition(OnPixelX(0.5f * width + pot.m_x + 0.005392968654632568f),
                        OnPixelY(0.5f * height + pot.m_y - 0.03515625f));
    DrawAsIs(*m_star);
  }
}

void VGMap::OnPotClick() {
  const std::vector<boost::shared_ptr<SUIButton>>& pots = GetPots();
  unsigned int k = 0;
  for (unsigned int i = 0; i < pots.size(); ++i) {
    if (pots[i]->m_state == SUIButton::kOver) {
      k = i;
      break;
    }
  }
  m_selectedLevel = FacePack().GetLevelName(k);
  m_lastLevelChosen = false;
  if (m_isBonus) {
    m_playsCurrentBonusLevel = m_selectedLevel == GetCurrentLevelName();
  } else {
    m_lastLevelChosen = k + 1 == g_LevelPack->GetLevelCount();
    m_playsCurrentLevel = m_selectedLevel == GetCurrentLevelName();
  }
  Finish(kPlay);
}

void VGMap::OnNextClick() {
  const std::vector<boost::shared_ptr<SUIButton>>& pots = GetPots();
  // Without pots there is no level to go on to.
  if (pots.empty()) return;
  m_selectedLevel = GetCurrentLevelName();
  if (m_selectedLevel == "done") m_selectedLevel = FacePack().GetLevelName(unsigned(pots.size() - 1));
  (m_isBonus ? m_playsCurrentBonusLevel : m_playsCurrentLevel) = true;
  Finish(kPlay);
}

void VGMap::OnMenuClick() { Finish(kMenu); }

void VGMap::OnTrophiesClick() { Finish(kTrophies); }

void VGMap::Finish(int result) {
  m_result = result;
  m_mapForm->m_enabled = m_mapBonusForm->m_enabled = false;
  m_done.store(true, std::memory_order_release);
}

}  // namespace Vellgrove
