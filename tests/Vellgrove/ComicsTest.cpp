#include "GameScreenFixture.h"

#include "../KorvexEngine/TriMeshTestSupport.h"

#include "SXMLDeserializator.h"
#include "SXMLSerializator.h"
#include "VGComicsPack.h"

#include "Platform/MMSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using SCore::SVector3;
using Vellgrove::VGComics;
using Vellgrove::VGComicsKeyFrame;
using Vellgrove::VGComicsPack;

const DWORD kStart = 20000;

class Comics : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    Platform::Testing::SetFakeClock(kStart);
    viewport->GetTextureManager()->AddTexture(Texture("SKIPBTNACTPAS", 4, 4, 0xFF808080));
  }

  // A comics file: the key frames and, with a panel, the square of side 2 in the plane x = 0.
  static void WriteComics(const std::wstring& path, const std::vector<VGComicsKeyFrame>& frames, bool panel,
                          bool withTimes = true) {
    SCore::SXMLSerializator writer(path, "Russian");
    writer.DoBeginChild("AnimationTrack");
    writer.DoBeginChild("Frames");
    for (const VGComicsKeyFrame& frame : frames) {
      writer.DoBeginChild("KeyFrame");
      writer.DoSerialize("Eye", frame.Eye);
      writer.DoSerialize("At", frame.At);
      if (withTimes) writer.DoSerialize("Time", frame.Time);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoBeginChild("Meshes");
    if (panel) {
      TriMeshTest::MeshDocument square;
      square.vertices = TriMeshTest::kSquareAcrossX;
      square.indices = TriMeshTest::kSquareIndices;
      writer.DoBeginChild("ComicsMesh");
      square.Write(writer);
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoEndChild();
    writer.DoFlush();
  }

  boost::shared_ptr<VGComics> Read(const std::wstring& path) {
    VGComicsPack pack(nullptr);
    pack.AddComics(path, "level01");
    return pack.GetComics("level01");
  }

  // Runs the comics' clock to that many milliseconds after it was made.
  static void At(VGComics& comics, DWORD elapsed) {
    Platform::Testing::SetFakeClock(kStart + elapsed);
    comics.Update();
  }
};

void ExpectVector(const SVector3& actual, const SVector3& expected, DWORD when) {
  EXPECT_NEAR(actual.X, expected.X, 1e-4) << when;
  EXPECT_NEAR(actual.Y, expected.Y, 1e-4) << when;
  EXPECT_NEAR(actual.Z, expected.Z, 1e-4) << when;
}

TEST_F(Comics, TheCameraGlidesFromKeyFrameToKeyFrameAndTheLastHoldsStillForItsTime) {
  WriteComics(L"c.xml",
              {{{0, 0, 0}, {0, 0, 10}, 2.0f}, {{10, 0, 0}, {10, 0, 10}, 3.0f}, {{10, 30, 0}, {10, 30, 10}, 1.0f}}, false);
  const boost::shared_ptr<VGComics> comics = Read(L"c.xml");
  // Two seconds into the three-second second segment the camera has come two thirds of its way.
  const struct {
    DWORD elapsed;
    SVector3 eye;
  } cases[] = {
      {0, {0, 0, 0}}, {1000, {5, 0, 0}}, {4000, {10, 20, 0}}, {5000, {10, 30, 0}}, {5500, {10, 30, 0}},
  };
  for (const auto& c : cases) {
    At(*comics, c.elapsed);
    ExpectVector(comics->GetCamera()->Eye, c.eye, c.elapsed);
    ExpectVector(comics->GetCamera()->At, {c.eye.X, c.eye.Y, 10}, c.elapsed);
    EXPECT_FALSE(comics->IsFinished()) << c.elapsed;
  }
  At(*comics, 6000);
  EXPECT_TRUE(comics->IsFinished());
  EXPECT_FALSE(comics->GetSkipForm()->m_enabled);
}

TEST_F(Comics, WithoutKeyFramesItFinishesAtOnceAndSkipEndsItEarly) {
  WriteComics(L"empty.xml", {}, false);
  const boost::shared_ptr<VGComics> empty = Read(L"empty.xml");
  At(*empty, 0);
  EXPECT_TRUE(empty->IsFinished());

  WriteComics(L"long.xml", {{{0, 0, 0}, {0, 0, 1}, 100.0f}}, false);
  const boost::shared_ptr<VGComics> comics = Read(L"long.xml");
  ASSERT_TRUE(comics->GetSkipForm()->m_enabled);
  comics->OnSkip();
  EXPECT_TRUE(comics->IsFinished());
  EXPECT_FALSE(comics->GetSkipForm()->m_enabled) << "the button stops reacting";
}

TEST_F(Comics, ThePackGivesTheFirstEntrysComicsOrNoneAndFailuresNameTheirContext) {
  WriteComics(L"one.xml", {{{0, 0, 0}, {0, 0, 1}, 1.0f}}, false);
  WriteComics(L"two.xml", {{{0, 0, 0}, {0, 0, 1}, 1.0f}, {{0, 0, 0}, {0, 0, 1}, 1.0f}}, false);
  {
    SCore::SXMLSerializator writer(L"comics.xml", "Russian");
    writer.DoBeginChild("ComicsPack");
    for (const char* path : {"one.xml", "two.xml"}) {
      writer.DoBeginChild("Comics");
      writer.DoSerialize("LevelName", std::string("level03"));
      writer.DoSerialize("ComicsPath", std::wstring(path, path + std::string(path).size()));
      writer.DoEndChild();
    }
    writer.DoEndChild();
    writer.DoFlush();
  }
  VGComicsPack pack(nullptr);
  SCore::SXMLDeserializator reader(L"comics.xml");
  pack.DoDeserialize(reader);
  ASSERT_EQ(pack.GetCount(), 2u);
  const boost::shared_ptr<VGComics> first = pack.GetComics("level03");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetKeyFrames().size(), 1u);
  EXPECT_FALSE(pack.GetComics("level04"));
  EXPECT_FALSE(pack.GetComics("Level03")) << "names compare exactly";

  WriteComics(L"broken.xml", {{{0, 0, 0}, {0, 0, 1}, 1.0f}}, false, false);
  pack.AddComics(L"broken.xml", "broken");
  pack.AddComics(L"missing.xml", "missing");
  for (const char* level : {"broken", "missing"}) {
    try {
      pack.GetComics(level);
      ADD_FAILURE() << level;
    } catch (const SCore::KorvexCoreException& error) {
      EXPECT_NE(std::string(error.what()).find("VGComicsPack::GetComics()"), std::string::npos) << error.what();
    }
  }
}

TEST_F(Comics, APanelIsDrawnThroughTheCamera) {
  WriteComics(L"panel.xml", {{{-5, 0, 0}, {0, 0, 0}, 10.0f}}, true);
  const boost::shared_ptr<VGComics> comics = Read(L"panel.xml");
  ASSERT_EQ(comics->GetMeshes().size(), 1u);
  TriMeshTest::SetPerspective(*device, float(kWidth) / kHeight);
  At(*comics, 0);
  const std::vector<DWORD> pixels = Frame([&] { comics->Render(); });
  EXPECT_NE(GameScreenFixture::At(pixels, 0.5f, 0.5f) & 0xFFFFFF, 0u) << "the panel faces the camera";
  EXPECT_EQ(GameScreenFixture::At(pixels, 0.02f, 0.02f) & 0xFFFFFF, 0u);
}

}  // namespace
