#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

unsigned BigEndian(const std::string& bytes, std::size_t at) {
  unsigned value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

// The application in a real X window under Xvfb. The program checks the colour of its last frame
// itself; the frame stays in the test's output folder as ApplicationWindow.png.
TEST(ApplicationWindow, RunsInARealWindowUnderXvfb) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb is not installed";
  const std::string folder = KORVEX_TEST_OUTPUT_DIR;
  const std::string picture = folder + "/ApplicationWindow.png";
  std::remove(picture.c_str());
  const std::string command = "env -u SDL_VIDEODRIVER xvfb-run -a -s '-screen 0 640x480x24' " +
                              std::string(APPLICATION_WINDOW_PROGRAM) + " '" + folder +
                              "/ApplicationWindow-textures.xml' '" + picture + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string png = TestSupport::ReadBytes(picture);
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(BigEndian(png, 16), 320u) << "width";
  EXPECT_EQ(BigEndian(png, 20), 240u) << "height";
}
