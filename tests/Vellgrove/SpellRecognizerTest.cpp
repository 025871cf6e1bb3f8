#include "SpellRecognizer.h"

#include "KorvexCoreException.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>

using Rows = SpellRecognizer::StrokeRows;

namespace {

// The grid columns whose cells of grid row 0 are set when only stroke column `column` is drawn.
std::vector<int> GridColumnsSampling(int width, int column) {
  Rows rows(2, std::vector<unsigned char>(std::size_t(width), 0));
  rows[0][std::size_t(column)] = 255;
  const std::vector<double> grid = SpellRecognizer::StrokeGrid(rows);
  std::vector<int> set;
  for (int j = 0; j < 20; ++j) {
    if (grid[std::size_t(j)] != 0.0) set.push_back(j);
  }
  return set;
}

// A net file of the given sizes, all weights zero.
std::wstring WriteZeroNet(int inputs, int outputs) {
  const auto list = [](std::size_t count) {
    std::string text = "0";
    for (std::size_t i = 1; i < count; ++i) text += ",0";
    return text;
  };
  const std::string path = "recogniser-net-" + std::to_string(getpid()) + ".xml";
  std::ofstream(path) << "<neuronet><alpha>2</alpha><beta>1</beta><layers><a size=\"" << inputs
                      << "\"></a><b size=\"" << outputs << "\">" << list(std::size_t(inputs) * outputs + outputs)
                      << "</b></layers><input_scale>" << list(2 * std::size_t(inputs)) << "</input_scale><output_scale>"
                      << list(2 * std::size_t(outputs)) << "</output_scale></neuronet>";
  return std::wstring(path.begin(), path.end());
}

}  // namespace

TEST(SpellRecognizerGrid, CellsSampleTheStrokeAsTheGameDoes) {
  // 50 columns: cell width 2.5, so cell 1 samples columns 2 to 4 and cell 2 columns 5 to 7.
  EXPECT_EQ(GridColumnsSampling(50, 2), (std::vector<int>{0, 1}));
  EXPECT_EQ(GridColumnsSampling(50, 5), (std::vector<int>{2}));
  // One column is sampled by every grid column.
  EXPECT_EQ(GridColumnsSampling(1, 0).size(), 20u);
  // Two rows: grid rows 0 to 9 sample row 0, grid rows 10 to 19 row 1.
  Rows two(2, std::vector<unsigned char>(20, 0));
  two[1].assign(20, 1);
  const std::vector<double> grid = SpellRecognizer::StrokeGrid(two);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(grid[std::size_t(i) * 20], i < 10 ? 0.0 : 1.0) << i;
}

TEST(SpellRecognizerGrid, EverySizeStaysInsideTheStrokeAndSamplesEachRowAndColumn) {
  for (int size = 1; size <= 256; ++size) {
    // A diagonal-free probe per axis: one drawn column (or row) at a time must light some cell.
    for (int drawn = 0; drawn < size; ++drawn) {
      ASSERT_FALSE(GridColumnsSampling(size, drawn).empty()) << size << " column " << drawn;
    }
    Rows tall(std::size_t(size), std::vector<unsigned char>(1, 0));
    for (int drawn = 0; drawn < size; ++drawn) {
      tall.assign(std::size_t(size), std::vector<unsigned char>(1, 0));
      tall[std::size_t(drawn)][0] = 1;
      const std::vector<double> grid = SpellRecognizer::StrokeGrid(tall);
      double sum = 0;
      for (double cell : grid) sum += cell;
      ASSERT_GT(sum, 0.0) << size << " row " << drawn;
    }
  }
}

TEST(SpellRecognizer, RefusesANetOfTheWrongShapeAndShortStrokes) {
  EXPECT_THROW(SpellRecognizer(WriteZeroNet(399, 5)), SCore::KorvexCoreException);
  EXPECT_THROW(SpellRecognizer(WriteZeroNet(400, 4)), SCore::KorvexCoreException);
  const SpellRecognizer recogniser(WriteZeroNet(400, 5));
  std::remove(("recogniser-net-" + std::to_string(getpid()) + ".xml").c_str());
  EXPECT_EQ(recogniser.Recognize(Rows{{1}}), -1);
  EXPECT_EQ(recogniser.Recognize(Rows{std::vector<unsigned char>(200, 1)}), -1);
  // All outputs equal: a tie, never a spell.
  EXPECT_EQ(recogniser.Recognize(Rows(40, std::vector<unsigned char>(1, 1))), -1);
}
