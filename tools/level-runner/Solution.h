#pragma once

#include "VGToolType.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace LevelRunner {

// One line of a solution: at level time At (seconds) a spell drawn around a point of the world,
// or a scroll key held for Held seconds.
struct SolutionStep {
  enum Kind { Spell, Scroll };
  Kind What = Spell;
  double At = 0.0;
  int Line = 0;
  Vellgrove::VGToolType Tool = Vellgrove::VGTT_WALL;
  float X = 0.0f, Y = 0.0f, Width = 0.0f, Height = 0.0f;
  std::string Direction;
  double Held = 0.0;
};

// A mistake in a solution file, naming the file and the line.
class SolutionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Lines "<t> spell <VGTT_name> <x> <y> <w> <h>" and "<t> scroll LEFT|RIGHT|UP|DOWN <held>"; blank
// lines and lines starting with '#' are skipped. Steps come back in time order.
std::vector<SolutionStep> ReadSolution(const std::string& path);
std::vector<SolutionStep> ParseSolution(const std::string& text, const std::string& path);

}  // namespace LevelRunner
