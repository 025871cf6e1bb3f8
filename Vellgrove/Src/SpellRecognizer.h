#pragma once

#include "NeuroNet.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

// Turns a drawn stroke into a tool type through the shipped network, or -1.
class SpellRecognizer {
 public:
  static constexpr int kGridSide = 20;
  static constexpr int kSpellCount = 5;
  using StrokeRows = std::vector<std::vector<unsigned char>>;

  // A net that does not take the 20 by 20 grid or answer one output per spell is refused here, at
  // start-up, rather than on the player's first stroke.
  explicit SpellRecognizer(const std::wstring& netPath = L"Res\\nn.xml");
  virtual ~SpellRecognizer();

  int Recognize(const StrokeRows& rows) const;
  // The 400 cells, row-major, 1.0 where the stroke touches the cell; needs no device, so training
  // sees exactly what the game sees.
  static std::vector<double> StrokeGrid(const StrokeRows& rows);

 private:
  boost::shared_ptr<NeuroNet> m_network;
};
