#include "GameScreenFixture.h"

#include "SFadeCurve.h"
#include "SXMLSerializator.h"
#include "VGIntro.h"

#include "Platform/MMSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using KorvexEngine::FadedIn;
using KorvexEngine::FadedOut;
using KorvexEngine::FadingIn;
using KorvexEngine::FadingOut;
using Vellgrove::VGIntro;

const DWORD kStart = 10000;
const DWORD kRed = 0xFFFF0000;
const DWORD kBlue = 0xFF0000FF;

struct ItemSpec {
  DWORD time;
  bool withTime;
};
struct PageSpec {
  std::string texture;
  std::vector<ItemSpec> items;
};

class Intro : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    Platform::Testing::SetFakeClock(kStart);
    for (const auto& [name, colour] : std::vector<std::pair<std::string, DWORD>>{
             {"PAGE1", kRed}, {"PAGE2", 0xFF00FF00}, {"DETAIL", kBlue}, {"SKIPBTNACTPAS", 0xFF808080}})
      viewport->GetTextureManager()->AddTexture(Texture(name, 4, 4, colour));
    std::filesystem::create_directory("intro");
  }

  // Writes intro\intro.xml: every item a detail in the middle of the screen.
  void WriteIntro(const std::vector<PageSpec>& pages) {
    SCore::SXMLSerializator writer(L"intro\\intro.xml", "Russian");
    writer.DoBeginChild("Intro");
    for (const PageSpec& page : pages) {
      writer.DoBeginChild("Page");
      writer.DoSerialize("Texture", page.texture);
      for (const ItemSpec& item : page.items) {
        writer.DoBeginChild("Item");
        if (item.withTime) writer.DoSerialize("Time", static_cast<unsigned int>(item.time));
        Detail().DoSerialize(writer);
        writer.DoEndChild();
      }
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoFlush();
  }

  KorvexEngine::SSprite& Detail() {
    if (!detail) {
      detail = Vellgrove::VGSpriteCreator::CreateTexturedSprite("DETAIL", 0);
      detail->Name = "detail";
      detail->SetPosition(0.4f, 0.4f);
      detail->SetSize(0.2f, 0.2f);
      detail->Material.AlphaBlend = 0;
    }
    return *detail;
  }

  // One frame of the intro mode at a time of the showing (from its first update).
  std::vector<DWORD> FrameAt(DWORD elapsed) {
    Platform::Testing::SetFakeClock(kStart + elapsed);
    return Frame([this] {
      intro->Update();
      intro->Render();
    });
  }

  boost::shared_ptr<KorvexEngine::SSprite> detail;
  std::unique_ptr<VGIntro> intro;
};

TEST_F(Intro, ItemsFadeInAndOutOnTheScheduleAndTheLastEndsIt) {
  WriteIntro({{"PAGE1", {{3000, true}, {1000, true}}}});
  intro.reset(new VGIntro(nullptr));
  intro->Start();
  ASSERT_TRUE(intro->GetSkipForm()->m_enabled);
  struct Row {
    DWORD elapsed;
    unsigned int item;
    DWORD threshold;
    int itemFade;
    bool finished;
  };
  // Frames every 100 ms: an item shows 2 s after the threshold, stays its Time from its own start and
  // until it has fully faded in, and the next waits for its fade-out.
  const Row rows[] = {
      {2000, 0, 0, FadedOut, false},     {2100, 0, 3000, FadingIn, false},  {5000, 0, 3000, FadedIn, false},
      {5100, 1, 3000, FadingOut, false}, {7200, 1, 3000, FadedOut, false},  {7300, 1, 4000, FadingIn, false},
      {9400, 1, 4000, FadedIn, false},   {9500, 0, 8000, FadingOut, true},
  };
  size_t next = 0;
  for (DWORD t = 0; next < std::size(rows); t += 100) {
    FrameAt(t);
    if (t != rows[next].elapsed) continue;
    const Row& row = rows[next++];
    EXPECT_EQ(intro->GetItemIndex(), row.item) << t;
    EXPECT_EQ(intro->GetNextTime(), row.threshold) << t;
    EXPECT_EQ(intro->GetItemFade()->Mode, row.itemFade) << t;
    EXPECT_EQ(intro->IsFinished(), row.finished) << t;
  }
  EXPECT_EQ(intro->GetCurrentPage(), 1u);
  EXPECT_EQ(intro->GetPageFade()->Mode, FadingOut);
}

TEST_F(Intro, TheFrameShowsThePageWithItsDetailAndTheNextPageFollows) {
  WriteIntro({{"PAGE1", {{500, true}}}, {"PAGE2", {{500, true}}}});
  intro.reset(new VGIntro(nullptr));
  intro->Start();
  std::vector<DWORD> pixels;
  for (DWORD t = 0; t <= 4200; t += 100) pixels = FrameAt(t);
  EXPECT_EQ(At(pixels, 0.5f, 0.5f), kBlue) << "the detail has fully faded in";
  // The fade's curve stops a hair short of full.
  EXPECT_GE((At(pixels, 0.1f, 0.1f) >> 16) & 0xFF, 0xF8u) << "over the first page";
  EXPECT_EQ(At(pixels, 0.1f, 0.1f) & 0xFFFF, 0u);
  // The page goes with its only item from 4.3 s; the next fades in once the old one has faded out.
  for (DWORD t = 4300; t <= 8700; t += 100) pixels = FrameAt(t);
  EXPECT_GE((At(pixels, 0.1f, 0.1f) >> 8) & 0xFF, 0xF8u) << "the second page";
  EXPECT_EQ(At(pixels, 0.1f, 0.1f) & 0xFF00FF, 0u);
}

TEST_F(Intro, SkipEndsItAtOnceAndStartPlaysItAgainFromTheFirstPage) {
  WriteIntro({{"PAGE1", {{1000, true}}}, {"PAGE2", {{1000, true}}}});
  intro.reset(new VGIntro(nullptr));
  intro->Start();
  FrameAt(0);
  FrameAt(2500);
  intro->OnSkip();
  EXPECT_TRUE(intro->IsFinished());
  for (DWORD t = 2600; t < 20000; t += 100) FrameAt(t);
  ASSERT_EQ(intro->GetCurrentPage(), 2u);

  intro->Start();
  EXPECT_FALSE(intro->IsFinished());
  EXPECT_EQ(intro->GetCurrentPage(), 0u);
  EXPECT_EQ(intro->GetPageSprite()->Material.Texture1->GetName(), "PAGE1");
  Platform::Testing::SetFakeClock(kStart + 50000);
  intro->Update();
  EXPECT_EQ(intro->GetPageFade()->Mode, FadingIn);
  EXPECT_EQ(intro->GetNextTime(), 0u);
}

TEST_F(Intro, AFileItCannotPlayStopsItsConstructionNamingTheFile) {
  const struct {
    const char* what;
    std::vector<PageSpec> pages;
    const char* expected;
  } cases[] = {
      {"no page", {}, "intro\\intro.xml has no page"},
      {"a page without items", {{"PAGE1", {{100, true}}}, {"PAGE2", {}}}, "intro\\intro.xml, page 2 has no item"},
      {"an unknown picture", {{"NOSUCH", {{100, true}}}}, "no texture named [NOSUCH]"},
      {"an item without its time", {{"PAGE1", {{100, false}}}}, "Time"},
  };
  for (const auto& c : cases) {
    WriteIntro(c.pages);
    try {
      VGIntro broken(nullptr);
      ADD_FAILURE() << c.what << " was accepted";
    } catch (const SCore::KorvexCoreException& error) {
      EXPECT_NE(std::string(error.what()).find(c.expected), std::string::npos) << c.what << ": " << error.what();
      EXPECT_NE(std::string(error.what()).find("VGIntro::VGIntro()"), std::string::npos) << error.what();
    }
  }
  std::filesystem::remove("intro/intro.xml");
  std::filesystem::remove("intro\\intro.xml");
  EXPECT_THROW(VGIntro(nullptr), SCore::KorvexCoreException);
}

}  // namespace
