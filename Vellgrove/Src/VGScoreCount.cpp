#include "VGScoreCount.h"

#include "DrawAsIs.h"
#include "GameFont.h"
#include "GameSprites.h"
#include "SFadeCurve.h"
#include "SInputMessager.h"
#include "SProgressBar.h"
#include "SSprite.h"
#include "SSpriteTransition.h"
#include "STexture.h"
#include "STextureFont.h"
#include "STextureManager.h"
#include "SUIButton.h"
#include "SUIEvent.h"
#include "SUIForm.h"
#include "SUIToolTip.h"
#include "SViewport.h"
#include "SpriteFades.h"
#include "TScopedLock.h"
#include "TexelCentre.h"
#include "VGGameModes.h"
#include "VGLevelTrainer.h"
#include "VGPYFactory.h"
#include "VGPYGameObject.h"
#include "VGPythonDictionary.h"
#include "VGPythonLock.h"
#include "VGSoundManager.h"
#include "VGSpriteCreator.h"
#include "VGTextManager.h"
#include "VGUserProfileManager.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

#include <cmath>
#include <string>

namespace Vellgrove {

namespace {

using KorvexEngine::SSprite;
typedef boost::shared_ptr<SSprite> Sprite;
typedef KorvexEngine::TScopedLock<VGLockGuard> Hold;

const char* const kSource = "..\\Src\\VGScoreCount";
const float kBarX = 0.267f, kBarWidth = 0.633f, kBarHeight = 0.05f;
const float kBarY[VGScoreCount::kCounters] = {0.196f, 0.447f, 0.695f};
const char* const kCharacterNames[VGScoreCount::kCounters] = {"Tovemmar", "Gribbanoddle", "Weskaroon"};
const SCore::SVector3 kCharacterPlaces[VGScoreCount::kCounters] = {{0.09f, 0.076f, 0.0f}, {0.1f, 0.293f, 0.0f},
                                                                     {0.1f, 0.541f, 0.0f}};
// A whole bar fills in ten seconds.
const float kFillPerMillisecond = 0.0001f;
const float kPointsPerUnit = 1000.0f;
const unsigned int kNoFurtherLife = 100000000;

Sprite TextureSprite(const char* texture) {
  const Sprite sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
  sprite->Material.Filtration1->IsBilinear = true;
  return sprite;
}

void Place(SSprite& sprite, float x, float y, float width, float height) {
  sprite.SetPosition(x, y);
  sprite.SetSize(width, height);
}

void ShowOnBar(SSprite& sprite, const char* texture, const SCore::SRect& place, const SCore::SRect& texCoords) {
  VGSpriteCreator::ShowTexture(sprite, VGSpriteCreator::GetRenderDevice()->GetTextureManager()->DoGetTexture(texture));
  sprite.Material.Filtration1->IsBilinear = true;
  sprite.Position = place;
  sprite.TexCoords = texCoords;
}

boost::shared_ptr<KorvexEngine::SProgressBar> Bar(const char* back, const char* fill, const SCore::SRect& place,
                                                  const SCore::SRect& texCoords) {
  const boost::shared_ptr<KorvexEngine::SProgressBar> bar(new KorvexEngine::SProgressBar);
  bar->Create(VGSpriteCreator::GetRenderDevice());
  ShowOnBar(bar->BackSprite, back, place, texCoords);
  ShowOnBar(bar->FillSprite, fill, place, texCoords);
  return bar;
}

}  // namespace

VGScoreCount::VGScoreCount(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager)
    : m_inputMessager(inputMessager) {
  KORVEX_TRY
    CreateProgressBars();
    m_startClock = m_frameClock = timeGetTime();
    CreateCharacters();
    CreateFonts();
    CreateOkForm();
    CreateSprites();
  KORVEX_RETHROW("VGScoreCount::VGScoreCount()", kSource)
}

VGScoreCount::~VGScoreCount() = default;

void VGScoreCount::CreateProgressBars() {
  for (int i = 0; i < kCounters; ++i) {
    m_counterBars[i] = Bar("PROGBAR2", "PROGBAR1", {kBarX, kBarY[i], kBarWidth, kBarHeight}, {0.0f, 0.0f, 1.0f, 1.0f});
    m_counterBars[i]->Update();
  }
  m_lifeBar = Bar("SCORESTAFFPAS", "SCORESTAFFACT",
                  {TexelCentre(0.121f, 1024.0f), TexelCentre(0.156f, 768.0f), 0.080078125f, 0.5611979365f},
                  {0.0f, 0.0f, 0.640625f, 0.841796875f});
  m_lifeBar->IsVertical = 1;
  m_lifeBar->Progress = 0.5f;
  m_lifeBar->Update();
}

void VGScoreCount::CreateCharacters() {
  for (int i = 0; i < kCounters; ++i) {
    m_characters[i] = VGPYFactory::Create(kCharacterNames[i]);
    m_characters[i]->SetPosition(kCharacterPlaces[i]);
    m_characters[i]->SetMass(0.0f);
    m_characters[i]->SetVelocity({1.0f, 0.0f, 0.0f});
  }
  VGPythonLock lock;
  m_context.reset(new VGPythonDictionary(VGPYFactory::GetInterpreter()));
  for (const auto& character : m_characters) character->Update(*m_context, 0.0f);
}

void VGScoreCount::CreateFonts() {
  const boost::shared_ptr<SCore::SViewport> viewport = VGSpriteCreator::GetRenderDevice();
  const float glyphWidth = 0.0302734375f, glyphHeight = 0.0299479160f;
  m_scoreFont = CreateGameFont(viewport, {0.09814453125f, 0.8444010615f, glyphWidth, glyphHeight, {255, 255, 255, 255},
                                          1.12f}, "99999999");
  m_livesFont = CreateGameFont(viewport, {0.0f, 0.150390625f, glyphWidth, glyphHeight, {255, 248, 195, 1}, 1.12f}, "0");
  const auto caption = [&](const GameFontStyle& style, const char* key) {
    const boost::shared_ptr<KorvexEngine::STextureFont> font = CreateGameFont(viewport, style, "");
    font->SetText(GetText(key));
    return font;
  };
  m_scoreCaption =
      caption({0.09814453125f, 0.818359375f, 0.0205078125f, 0.0169270840f, {255, 253, 247, 135}, 1.12f}, "SCORE");
  const float captionY = TexelCentre(0.746f, 768.0f);
  m_timeCaption = caption(
      {TexelCentre(0.267f, 1024.0f), captionY, 0.0234375f, 0.0364583321f, {255, 38, 190, 229}, 1.12f}, "TIME");
  m_totalCaption = caption(
      {TexelCentre(0.838f, 1024.0f), captionY, 0.0234375f, 0.0364583321f, {255, 229, 190, 44}, 1.12f}, "SCORE");
}

void VGScoreCount::CreateOkForm() {
  m_okForm.reset(new KorvexEngine::UI::SUIForm("OKToNextLevel"));
  m_okForm->m_viewport = VGSpriteCreator::GetRenderDevice();
  m_okForm->m_x = m_okForm->m_y = 0.0f;
  m_okForm->m_width = m_okForm->m_height = 1.0f;
  const boost::shared_ptr<KorvexEngine::UI::SUIButton> ok(new KorvexEngine::UI::SUIButton);
  ok->m_viewport = m_okForm->m_viewport;
  ok->m_x = 0.75341796875f;
  ok->m_y = 0.8131510615f;
  ok->m_width = 0.125f;
  ok->m_height = 0.1015625f;
  const auto face = [](const char* texture) {
    const Sprite sprite = VGSpriteCreator::CreateTexturedSprite(texture, 1);
    sprite->TexCoords = {0.0f, 0.0f, 0.999f, 0.6171875f};
    return sprite;
  };
  ok->m_normalSprite = ok->m_downSprite = face("SCORENEXTPAS");
  ok->m_overSprite = face("SCORENEXTACT");
  ok->m_clickCallback.reset(new KorvexEngine::UI::SUIEvent<VGScoreCount>(&VGScoreCount::OnOk, this));
  m_okForm->AddControl(ok);
  m_inputMessager->AddListener(m_okForm);
}

void VGScoreCount::CreateSprites() {
  m_angel = TextureSprite("ANGEL");
  AnimateSheet(*m_angel, "AngelAnimator", 4, 1, 16.0f, SCore::SRect{0.0f, 0.0f, 1.0f, 0.75f});
  VGSpriteCreator::GetRenderDevice()->GetTextureManager()->DoGetTexture("BAT1")->UseTransform = true;
  m_lifeStaff = TextureSprite("SCORELIFESTAFF");
  Place(*m_lifeStaff, TexelCentre(0.135f, 1024.0f), TexelCentre(0.0505f, 768.0f), 0.03125f, 0.6666666865f);
  m_message = TextureSprite("SCOREYOUDONT");
  Place(*m_message, 0.245f, 0.072f, 0.677734375f, 0.6575521231f);
  m_trainer.reset(new VGLevelTrainer);
  m_line = TextureSprite("SCORELINE");
  Place(*m_line, TexelCentre(0.33f, 1024.0f), TexelCentre(0.768f, 768.0f), 0.5f, 0.0013020834f);
  m_line->TexCoords = {0.0f, 0.0f, 0.8359375f, 0.25f};
}

void VGScoreCount::SetBonusLives(std::vector<unsigned int> thresholds) { m_bonusLives = std::move(thresholds); }

void VGScoreCount::Start() {
  KORVEX_TRY
    Hold hold(m_lock);
    for (int i = 0; i < kCounters; ++i) {
      m_counterFills[i] = m_counterMax != 0 ? 1.0f - m_counterAmounts[i] / float(m_counterMax) : 0.0f;
    }
    m_startClock = m_frameClock = timeGetTime();
    for (const auto& character : m_characters) character->PlayStateAnimations();
    m_isFinished = false;
    m_isDone = false;
    const boost::shared_ptr<VGUserProfile> profile = CurrentProfile();
    m_oldScore = profile ? profile->m_score : 0u;
    if (m_levelIndex == 0 && !m_isBonusLevel) {
      LoadTrainer();
    } else {
      m_trainer->Clear();
      m_trainer->Restart();
    }
    SettleFade(*m_trainer->m_teacherFade, KorvexEngine::FadedOut);
    SettleFade(*m_trainer->m_arrowFade, KorvexEngine::FadedOut);
    m_trainer->m_toolTip->Hide();
    m_okForm->m_enabled = false;
  KORVEX_RETHROW("VGScoreCount::Start()", kSource)
}

void VGScoreCount::LoadTrainer() {
  m_trainer->Clear();
  m_trainer->Load(L"Levels\\score_trainer.xml");
  m_trainer->Restart();
}

void VGScoreCount::Update() {
  KORVEX_TRY
    Hold hold(m_lock);
    // Once OK is pressed the screen is done: its button takes no click on the screens that follow.
    if (!m_isDone && !m_okForm->m_enabled) m_okForm->m_enabled = true;
    const unsigned int now = timeGetTime();
    FillCounters(now - m_frameClock);
    m_frameClock = now;
    MoveCharacters();
    int full = 0;
    for (int i = 0; i < kCounters; ++i) {
      if (!m_isCounterActive[i] || m_counterFills[i] != 1.0f) continue;
      ++full;
      m_characters[i]->StopStateAnimations();
    }
    const unsigned int gain = RunningGain();
    if (full == kCounters) Finish();
    m_scoreFont->SetText(std::to_string(m_oldScore + gain));
    CountLives(gain);
    // The counting sound repeats while a counter runs.
    if (full != kCounters && g_SoundManager && !g_SoundManager->IsPlaying("Score")) {
      g_SoundManager->PlaySound("Score");
    }
    m_trainer->Update();
  KORVEX_RETHROW("VGScoreCount::Update()", kSource)
}

void VGScoreCount::FillCounters(unsigned int elapsed) {
  for (int i = 0; i < kCounters; ++i) {
    if (!m_isCounterActive[i]) continue;
    const float filled = m_counterFills[i] + float(elapsed) * kFillPerMillisecond;
    m_counterFills[i] = m_isFinished ? 1.0f : std::min(1.0f, filled);
  }
  for (int i = 0; i < kCounters; ++i) {
    m_counterBars[i]->Progress = m_counterFills[i];
    m_counterBars[i]->Update();
  }
}

void VGScoreCount::MoveCharacters() {
  VGPythonLock lock;
  PyObject* none = PyFloat_FromDouble(0.0);
  for (int i = 0; i < kCounters; ++i) {
    SCore::SVector3 place = m_characters[i]->GetPosition();
    place.X = m_counterBars[i]->BackSprite.Position.Width * m_counterFills[i] + kBarX;
    m_characters[i]->SetPosition(place);
    m_characters[i]->Update(*m_context, 0.0f);
    m_characters[i]->UpdateSpritesState(none, none);
  }
  Py_DECREF(none);
}

unsigned int VGScoreCount::RunningGain() const {
  if (m_counterMax == 0) return 0;
  const long double max = float(m_counterMax);
  long double counted = 0.0L;
  for (const int i : {1, 0, 2}) counted += m_counterFills[i] - (1.0f - m_counterAmounts[i] / float(m_counterMax));
  return static_cast<unsigned int>(std::trunc(max * counted * 1000.0L));
}

unsigned int VGScoreCount::FinalGain() const {
  return static_cast<unsigned int>(std::trunc((m_counterAmounts[1] + m_counterAmounts[0] + m_counterAmounts[2]) *
                                              kPointsPerUnit));
}

unsigned int VGScoreCount::LivesPassed(unsigned int gain) const {
  unsigned int lives = 0;
  for (const unsigned int threshold : m_bonusLives) lives += m_oldScore < threshold && threshold < m_oldScore + gain;
  return lives;
}

float VGScoreCount::LifeBarFill(unsigned int gain) const {
  unsigned int previous = 0, next = kNoFurtherLife;
  for (const unsigned int threshold : m_bonusLives) {
    if (threshold > m_oldScore + gain) {
      next = threshold;
      break;
    }
    previous = threshold;
  }
  return float(m_oldScore - previous + gain) / float(next - previous);
}

int VGScoreCount::ProfileLives() const {
  const boost::shared_ptr<VGUserProfile> profile = CurrentProfile();
  return profile ? int(profile->m_lifes) : 0;
}

void VGScoreCount::CountLives(unsigned int gain) {
  m_lives = ProfileLives() + int(LivesPassed(gain));
  m_lifeBar->Progress = LifeBarFill(gain);
  m_lifeBar->Update();
  m_livesFont->SetText(std::to_string(m_lives));
}

void VGScoreCount::Finish() {
  Hold hold(m_lock);
  if (m_isFinished) return;
  m_isFinished = true;
  m_lives = ProfileLives() + int(LivesPassed(FinalGain()));
}

void VGScoreCount::OnOk() {
  Hold hold(m_lock);
  Finish();
  m_isDone = true;
  m_nextMode = VGGM_MAP;
  m_okForm->m_enabled = false;
  if (!g_UserProfileManager || !g_UserProfileManager->HasProfiles()) return;
  {
    KorvexEngine::TScopedLock<VGLockGuard> profiles(g_UserProfileManager->GetLock());
    const boost::shared_ptr<VGUserProfile> profile = g_UserProfileManager->GetCurrent();
    if (profile) profile->m_score = FinalGain() + m_oldScore;
  }
  g_UserProfileManager->PutCurrentIntoHighScore();
}

void VGScoreCount::Render() {
  KORVEX_TRY
    if (m_background) DrawAsIs(*m_background);
    for (const auto& bar : m_counterBars) bar->DoRender();
    m_lifeBar->DoRender();
    DrawAsIs(*m_lifeStaff);
    m_angel->SetSize(0.0625f, 0.125f);
    const float t = float(timeGetTime());
    const float wobble[kCounters][2] = {{std::sin(t * 0.0005f) * 0.05f, std::sin(t * 0.0015f) * 0.02f},
                                        {std::cos(t * 0.0005f) * 0.05f, std::cos(t * 0.0015f) * 0.02f},
                                        {std::sin(t * 0.0007f) * 0.05f, std::sin(t * 0.0013f) * 0.02f}};
    for (int i = 0; i < kCounters; ++i) {
      if (m_isCounterActive[i]) {
        m_characters[i]->Render();
        continue;
      }
      const SCore::SVector3 place = m_characters[i]->GetPosition();
      m_angel->SetPosition(place.X + wobble[i][0], place.Y + wobble[i][1]);
      DrawAsIs(*m_angel);
    }
    DrawAsIs(*m_scoreFont);
    m_livesFont->Position.X = unsigned(m_lives) < 10 ? 0.12158203125f : 0.10888671875f;
    m_livesFont->CacheValid = false;
    DrawAsIs(*m_line);
    for (const auto& font : {m_timeCaption, m_totalCaption, m_livesFont, m_scoreCaption}) DrawAsIs(*font);
    if (!m_okForm->m_hidden) m_okForm->DoRender(0.0f, 0.0f);
    m_trainer->Render();
  KORVEX_RETHROW("VGScoreCount::Render()", kSource)
}

}  // namespace Vellgrove
