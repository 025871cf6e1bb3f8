#include "SpellRecognizer.h"

#include "KorvexCoreException.h"
#include "NNBuilder.h"

#include <algorithm>

SpellRecognizer::SpellRecognizer(const std::wstring& netPath) : m_network(NNBuilder(",").Build(netPath)) {
  const std::vector<int>& sizes = m_network->GetSizes();
  if (sizes.size() < 2 || sizes.front() != kGridSide * kGridSide || sizes.back() != kSpellCount) {
    throw SCore::KorvexCoreException(
        ("spell network must take 400 inputs and give 5 outputs [" + std::string(netPath.begin(), netPath.end()) +
         "]").c_str());
  }
}

SpellRecognizer::~SpellRecognizer() = default;

int SpellRecognizer::Recognize(const StrokeRows& rows) const {
  // A click or a flat line carries no shape worth asking the net about.
  if (rows.size() < 2) return -1;
  return m_network->Recognize(StrokeGrid(rows));
}

namespace {

// The stroke indices one grid cell samples: ceil(cellSize) of them from the floor of its exact origin.
// A float cell size rounded upwards could reach one past the stroke; the last index is kept instead.
std::vector<int> CellSamples(int cell, float cellSize, std::size_t length) {
  std::vector<int> samples;
  for (int offset = 0; float(offset) < cellSize; ++offset) {
    const int index = int(double(cell) * double(cellSize) + double(offset));
    samples.push_back(std::min(index, int(length) - 1));
  }
  return samples;
}

}  // namespace

std::vector<double> SpellRecognizer::StrokeGrid(const StrokeRows& rows) {
  std::vector<double> grid;
  grid.reserve(kGridSide * kGridSide);
  const std::size_t width = rows.empty() ? 0 : rows[0].size();
  const float cellH = float(double(rows.size()) / kGridSide);
  const float cellW = float(double(width) / kGridSide);
  std::vector<std::vector<int>> columnsOfCell;
  for (int j = 0; j < kGridSide; ++j) columnsOfCell.push_back(CellSamples(j, cellW, width));
  for (int i = 0; i < kGridSide; ++i) {
    const std::vector<int> sampledRows = CellSamples(i, cellH, rows.size());
    for (int j = 0; j < kGridSide; ++j) {
      const std::vector<int>& sampledColumns = columnsOfCell[std::size_t(j)];
      bool hit = false;
      for (int r : sampledRows) {
        for (int c : sampledColumns) hit = hit || rows[std::size_t(r)][std::size_t(c)] != 0;
      }
      grid.push_back(hit ? 1.0 : 0.0);
    }
  }
  return grid;
}
