// Levels made from a level file's text, with the game's module and objects, on the fake clock.
#pragma once

#include "GameDataFixture.h"
#include "SXMLDeserializator.h"
#include "VGLevel.h"

#include "Platform/TestHooks.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace GameTest {

inline std::string LevelText(const std::string& name, const std::string& extra = "", const std::string& objects = "",
                             const std::string& tools = "<T ToolType=\"VGTT_WALL\" GameObject=\"VGGOT_WALL\"></T>",
                             const std::string& size = "SizeX=\"3\" SizeY=\"1\"") {
  return "<Level Name=\"" + name + "\" ShowName=\"Shown " + name + "\" " + size +
         " PosX=\"0\" PosY=\"0\" PlayTime=\"1\" Sun=\"0\"" + extra + "><Tools>" + tools +
         "</Tools><World><GameObjects>" + objects + "</GameObjects><BackGround></BackGround></World></Level>";
}

class LevelFixture : public GameDataFixture {
 protected:
  void SetUp() override {
    GameDataFixture::SetUp();
    Platform::Testing::SetFakeClock(50000);
  }

  static boost::shared_ptr<Vellgrove::VGLevel> Make(const std::string& text) {
    SCore::SXMLDeserializator reader;
    reader.DoParseText(text);
    const boost::shared_ptr<Vellgrove::VGLevel> level(new Vellgrove::VGLevel("UnknownLevel"));
    level->DoDeserialize(reader);
    return level;
  }

  // Seconds of play the frame of that many milliseconds ran, from the countdown.
  static float FrameTicks(Vellgrove::VGLevel& level, unsigned int milliseconds, bool paused = false) {
    const float before = level.m_remainingTime;
    Platform::Testing::AdvanceFakeClock(milliseconds);
    level.Update(paused);
    return (before - level.m_remainingTime) / 0.01f;
  }
};

}  // namespace GameTest
