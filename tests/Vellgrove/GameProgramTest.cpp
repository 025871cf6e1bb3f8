// The game's program started from the game's working directory with the real data set, headless
// and in a real X window under Xvfb. The observed build of the program keeps its frames as PNG
// pictures in the test's output folder (GameFrames-headless/, GameFrames-xvfb/).
#include "TempFolder.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using TestSupport::ReadBytes;
using TestSupport::TempFolder;

namespace {

const std::string kDataFolder = std::string(KORVEX_SOURCE_DIR) + "/data";

bool HasXvfb() { return std::system("command -v xvfb-run >/dev/null 2>&1") == 0; }

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Runs a shell command from a working directory with the documents folder in a temporary folder;
// the command's status, its standard error and the game's log.
struct Outcome {
  int status;
  std::string errors;
  std::string log;
};

Outcome RunFrom(const std::string& workingDirectory, const std::string& command, bool inXvfb) {
  TempFolder documents;
  const std::string errors = documents / "errors.txt";
  std::string shell = "cd " + Quoted(workingDirectory) + " && XDG_DOCUMENTS_DIR=" + Quoted(documents.Path().string()) +
                      " SDL_AUDIODRIVER=dummy timeout 90 ";
  if (inXvfb) {
    shell += "env -u SDL_VIDEODRIVER xvfb-run -a -s '-screen 0 1280x1024x24' sh -c " + Quoted(command);
  } else {
    shell += "env SDL_VIDEODRIVER=offscreen sh -c " + Quoted(command);
  }
  shell += " 2>" + Quoted(errors);
  const int raw = std::system(shell.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return {status, ReadBytes(errors), ReadBytes(documents / "Glintmoor_Dawnkeel/log.txt")};
}

// The program runs until its loading has finished and a second of its main loop has passed; then
// the session asks it to end (SIGTERM, as a desktop does at log-out), and its status is the shell's.
std::string RunThenAskToEnd(const std::string& program) {
  return program +
         " & game=$!; tries=0; "
         "until grep -q \"Starting complete\" \"$XDG_DOCUMENTS_DIR/Glintmoor_Dawnkeel/log.txt\" 2>/dev/null; do "
         "sleep 0.1; tries=$((tries+1)); [ $tries -gt 400 ] && break; done; "
         "sleep 1; kill -TERM $game; wait $game";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The banner without time stamps, then the steps of start-up time-stamped, then the end in its
// order: the input thread stops before the game object goes; the device, kept by the sprite
// creator, goes with the global objects, before the interpreter and the platform.
void ExpectTheLogOfAWholeRun(const std::string& log) {
  const std::vector<std::string> lines = Lines(log);
  ASSERT_GE(lines.size(), 3u) << log;
  const std::string rule(62, '#');
  EXPECT_EQ(lines[0], rule);
  EXPECT_EQ(lines[1], "###############   GLINTMOOR DAWNKEEL  log   ##############");
  EXPECT_EQ(lines[2], rule);
  const std::regex stamped("[0-9]{4}-[0-9]{2}-[0-9]{2} [ 0-9]{2}:[0-9]{2}:[0-9]{2} .*");
  const std::vector<std::string> steps = {" Init application",       " Start loading textures",
                                          " Init objects",           " Presetting texture",
                                          " Loading sounds",         " Init objects Done",      " Starting complete",
                                          " Input thread stopped",   " Game object released",
                                          " SD3D9RenderDevice Kill done", " Global objects released",
                                          " Python finished",
                                          " Platform shut down"};
  size_t from = 3;
  for (const std::string& step : steps) {
    bool found = false;
    for (size_t i = from; i < lines.size() && !found; ++i) {
      const size_t at = lines[i].find(step);
      if (at == std::string::npos || at + step.size() != lines[i].size()) continue;
      EXPECT_TRUE(std::regex_match(lines[i], stamped)) << lines[i];
      from = i + 1;
      found = true;
    }
    EXPECT_TRUE(found) << "\"" << step << "\" in its place in:\n" << log;
  }
  EXPECT_EQ(log.find("Failure"), std::string::npos) << log;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  explicit Picture(const std::string& file) {
    int channels = 0;
    unsigned char* data = stbi_load(file.c_str(), &width, &height, &channels, 3);
    if (data == nullptr) return;
    rgb.assign(data, data + size_t(width) * height * 3);
    stbi_image_free(data);
  }
  // The brightness (sum of the channels) at fractions of the picture.
  int At(float x, float y) const {
    const size_t offset = (size_t(y * height) * width + size_t(x * width)) * 3;
    return rgb[offset] + rgb[offset + 1] + rgb[offset + 2];
  }
  double Mean() const {
    double sum = 0;
    for (unsigned char c : rgb) sum += c;
    return rgb.empty() ? 0.0 : sum / rgb.size();
  }
  int Brightest() const {
    int brightest = 0;
    for (unsigned char c : rgb) brightest = std::max<int>(brightest, c);
    return brightest;
  }
};

double MeanDifference(const Picture& a, const Picture& b) {
  if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return 0.0;
  double sum = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
  return sum / a.rgb.size();
}

// The bar is filled further in the second loading frame than in the first: halfway between the
// two fractions it shows the back first and the fill later, while its left end is filled in both.
void ExpectTheBarMoved(const Picture& earlier, const Picture& later, float from, float to) {
  const float left = 0.27587890625f;
  const float width = 0.4619140625f;
  const float y = 0.4680989683f + 0.078125f / 2;
  const float between = left + (from + to) / 2 * width;
  EXPECT_GT(later.At(between, y), earlier.At(between, y) + 150) << "fill between " << from << " and " << to;
  EXPECT_NEAR(later.At(left + from / 2 * width, y), earlier.At(left + from / 2 * width, y), 30) << "the fill's left end";
}

int TextureCount() {
  const std::string list = ReadBytes(kDataFolder + "/textures.xml");
  int count = 0;
  for (size_t at = list.find("<Texture "); at != std::string::npos; at = list.find("<Texture ", at + 1)) ++count;
  return count;
}

// Milliseconds of the splash's clock at which the observed program drew a kept frame.
unsigned FrameTime(const std::string& list, const std::string& frame) {
  std::smatch found;
  const std::regex line(frame + " [^\\n]* at ([0-9]+)");
  return std::regex_search(list, found, line) ? static_cast<unsigned>(std::stoul(found[1])) : 0u;
}

// Near the end of its period the first picture fades towards black. A loaded machine may draw the
// frame later than asked, so the darkening expected is the one of the time the frame was drawn at.
// The fader draws over the splash with the same texture BLACK, which the splash has just written,
// so the picture is darkened twice.
void ExpectTheFadeShown(const Picture& fade, const Picture& picture, unsigned at) {
  const unsigned kPeriod = 4000;
  ASSERT_GT(at, kPeriod * 9 / 10) << "the fade's frame was not kept";
  if (at >= kPeriod) GTEST_SKIP() << "the machine drew no frame within the fade (first at " << at << " ms)";
  const double shown = std::min(1.0, 5.0 * std::sin(3.14 * at / kPeriod));
  EXPECT_LT(shown, 0.9) << "at " << at << " ms the overlay darkens the picture";
  EXPECT_NEAR(fade.Mean(), shown * shown * picture.Mean(), 0.1 * picture.Mean() + 2.0) << "at " << at << " ms";
}

// The observed program in the output folder, from start to the window's close: the loading screen
// with its bar at each value, the splash's two pictures and the fade between them, the menu after it.
void ExpectTheObservedRun(const std::string& name, bool inXvfb) {
  const std::string frames = std::string(KORVEX_TEST_OUTPUT_DIR) + "/" + name;
  std::filesystem::remove_all(frames);
  std::filesystem::create_directories(frames);
  const Outcome outcome = RunFrom(kDataFolder, std::string(OBSERVED_GAME_PROGRAM) + " " + Quoted(frames), inXvfb);
  EXPECT_EQ(outcome.status, 0) << outcome.errors;
  ExpectTheLogOfAWholeRun(outcome.log);

  const std::string list = ReadBytes(frames + "/frames.txt");
  // The loader moves the bar by one step per texture of the list, up to 0.7.
  const int textures = TextureCount();
  const std::string last = "loading-" + std::to_string(textures) + ".png";
  EXPECT_NE(list.find("loading-1.png progress " + std::to_string(0.7f / float(textures))), std::string::npos) << list;
  EXPECT_NE(list.find(last + " progress 0.700000"), std::string::npos) << list;
  EXPECT_NE(list.find("splash-1.png mode 9 fader 1"), std::string::npos) << list;
  EXPECT_NE(list.find("splash-2.png mode 9 fader 1"), std::string::npos) << list;
  EXPECT_NE(list.find("after-splash.png mode 1"), std::string::npos) << "the menu's mode:\n" << list;

  const Picture loading1(frames + "/loading-1.png");
  const Picture loading2(frames + "/" + last);
  const Picture fade(frames + "/splash-fade.png");
  const Picture splash1(frames + "/splash-1.png");
  const Picture splash2(frames + "/splash-2.png");
  const Picture after(frames + "/after-splash.png");
  ASSERT_EQ(loading1.width, 1024);
  ASSERT_EQ(loading1.height, 768);
  ExpectTheBarMoved(loading1, loading2, 0.7f / float(textures), 0.7f);
  EXPECT_GT(splash1.Mean(), 20.0) << "a picture, not a black screen";
  EXPECT_GT(MeanDifference(splash1, loading2), 10.0) << "the splash is not the loading screen";
  EXPECT_GT(MeanDifference(splash1, splash2), 10.0) << "two different pictures";
  ExpectTheFadeShown(fade, splash1, FrameTime(list, "splash-fade.png"));
  EXPECT_GT(after.Mean(), 20.0) << "after the splash the main menu shows";
  EXPECT_GT(MeanDifference(after, splash2), 10.0) << "the menu is not the splash";
}

// The text inserted into a file of the data copy just before the first occurrence of a mark.
void InsertBefore(const TempFolder& data, const std::string& file, const std::string& mark, const std::string& text) {
  std::string bytes = ReadBytes(data / file);
  const size_t at = bytes.find(mark);
  ASSERT_NE(at, std::string::npos) << mark << " in " << file;
  data.Write(file, bytes.insert(at, text));
}

// One pot more on the main map than the thirty the pack has levels for, after the others.
void AddPot(const TempFolder& data) {
  InsertBefore(data, "Levels/map.xml", "    <GameObject Name=\"Group\">",
               "    <GameObject Name=\"Quessa1\"><Position X=\"0.5\" Y=\"0.1\"></Position></GameObject>\n");
}

// A 31st level in the main pack, a copy of the 30th under its own name, and a pot for it.
void AddLevelAndPot(const TempFolder& data) {
  std::string level = ReadBytes(data / "Levels/level30.xml");
  level.replace(level.find("Name=\"level30\""), 14, "Name=\"level31\"");
  data.Write("Levels/level31.xml", level);
  InsertBefore(data, "Levels/levelpack.xml", "</LevelPack>",
               "  <Level Path=\"Levels\\level31.xml\" Name=\"level31\"></Level>\n");
  AddPot(data);
}

}  // namespace

TEST(GameProgram, RunsFromItsDataHeadlessAndEndsWithStatusZeroWhenAskedTo) {
  const Outcome outcome = RunFrom(kDataFolder, RunThenAskToEnd(GAME_PROGRAM), false);
  EXPECT_EQ(outcome.status, 0) << outcome.errors;
  ExpectTheLogOfAWholeRun(outcome.log);
}

TEST(GameProgram, RunsFromItsDataInARealWindowUnderXvfb) {
  if (!HasXvfb()) GTEST_SKIP() << "Xvfb is not installed";
  const Outcome outcome = RunFrom(kDataFolder, RunThenAskToEnd(GAME_PROGRAM), true);
  EXPECT_EQ(outcome.status, 0) << outcome.errors;
  ExpectTheLogOfAWholeRun(outcome.log);
}

TEST(GameProgram, ShowsTheLoadingScreenThenTheSplashAndEndsWhenItsWindowIsClosedHeadless) {
  ExpectTheObservedRun("GameFrames-headless", false);
}

TEST(GameProgram, ShowsTheLoadingScreenThenTheSplashAndEndsWhenItsWindowIsClosedUnderXvfb) {
  if (!HasXvfb()) GTEST_SKIP() << "Xvfb is not installed";
  ExpectTheObservedRun("GameFrames-xvfb", true);
}

// A failure before the window (a configuration that cannot be read, a missing strings file), while
// the window and its loading screen are made (a missing loading picture) or on the loader thread (a
// missing texture file, a broken sound, a map with more pots than its pack has levels or than the
// players have trophies) ends the program with a non-zero status, says so on standard error (there
// is no display) and in the log, naming the file, and releases everything on the way out.
TEST(GameProgram, EndsWithAnErrorNamingTheFileThatStoppedItsStart) {
  struct Case {
    const char* file;  // broken or removed, unless an edit breaks it
    const char* named;
    bool windowMade;
    void (*edit)(const TempFolder&) = nullptr;
  };
  const Case cases[] = {{"config.xml", "can't read \"config.xml\"", false},
                        {"Res/strings.xml", "Res\\strings.xml", false},
                        {"Loading/active.dds", "Loading\\active.dds", true},
                        {"Res/black.dds", "Res\\black.dds", true},
                        {"sounds/tooth.wav", "sounds\\tooth.wav", true},
                        {"Levels/map.xml with 31 pots", "Levels\\map.xml", true, AddPot},
                        {"Levels/map.xml with 31 pots and 31 levels", "Levels\\map.xml", true, AddLevelAndPot}};
  for (const Case& c : cases) {
    TempFolder data;
    std::filesystem::copy(kDataFolder, data.Path(), std::filesystem::copy_options::recursive);
    if (c.edit) {
      c.edit(data);
    } else if (std::string(c.file) == "config.xml") {
      const std::string config = ReadBytes(data / "config.xml");
      data.Write("config.xml", config.substr(0, config.find("<localization")));
    } else if (std::filesystem::path(c.file).extension() == ".wav") {
      data.Write(c.file, "RIFF, then no sound");  // a broken copy, not a missing one
    } else {
      std::filesystem::remove(data / c.file);
    }
    const Outcome outcome = RunFrom(data.Path().string(), GAME_PROGRAM, false);
    EXPECT_NE(outcome.status, 0) << c.file;
    EXPECT_NE(outcome.errors.find(c.named), std::string::npos) << c.file << ":\n" << outcome.errors;
    EXPECT_NE(outcome.log.find(c.named), std::string::npos) << c.file << ":\n" << outcome.log;
    EXPECT_NE(outcome.log.find(" Failure: "), std::string::npos) << c.file << ":\n" << outcome.log;
    EXPECT_NE(outcome.log.find(" Platform shut down"), std::string::npos) << c.file << ": everything is released";
    EXPECT_EQ(outcome.log.find(" Init application") != std::string::npos, c.windowMade) << c.file;
  }
}
