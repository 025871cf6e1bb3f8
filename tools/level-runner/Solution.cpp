#include "Solution.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace LevelRunner {

namespace {

const char* const kDirections[] = {"LEFT", "RIGHT", "UP", "DOWN"};

[[noreturn]] void Fail(const std::string& path, int line, const std::string& what) {
  throw SolutionError(path + ":" + std::to_string(line) + ": " + what);
}

SolutionStep ParseLine(const std::string& text, const std::string& path, int line) {
  std::istringstream words(text);
  SolutionStep step;
  step.Line = line;
  std::string kind;
  if (!(words >> step.At >> kind) || step.At < 0.0) Fail(path, line, "expected \"<time> spell|scroll ...\"");
  if (kind == "spell") {
    std::string tool;
    if (!(words >> tool >> step.X >> step.Y >> step.Width >> step.Height)) {
      Fail(path, line, "expected \"<time> spell <VGTT_name> <x> <y> <w> <h>\"");
    }
    try {
      step.Tool = Vellgrove::ToolTypeFromString(tool);
    } catch (const std::exception&) {
      Fail(path, line, "unknown spell [" + tool + "]");
    }
  } else if (kind == "scroll") {
    step.What = SolutionStep::Scroll;
    if (!(words >> step.Direction >> step.Held) || step.Held < 0.0 ||
        std::find(std::begin(kDirections), std::end(kDirections), step.Direction) == std::end(kDirections)) {
      Fail(path, line, "expected \"<time> scroll LEFT|RIGHT|UP|DOWN <held seconds>\"");
    }
  } else {
    Fail(path, line, "unknown step [" + kind + "]");
  }
  std::string rest;
  if (words >> rest) Fail(path, line, "unexpected [" + rest + "]");
  return step;
}

}  // namespace

std::vector<SolutionStep> ParseSolution(const std::string& text, const std::string& path) {
  std::vector<SolutionStep> steps;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    steps.push_back(ParseLine(line, path, number));
  }
  std::stable_sort(steps.begin(), steps.end(),
                   [](const SolutionStep& a, const SolutionStep& b) { return a.At < b.At; });
  return steps;
}

std::vector<SolutionStep> ReadSolution(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw SolutionError(path + ": can't read the solution");
  std::stringstream text;
  text << file.rdbuf();
  return ParseSolution(text.str(), path);
}

}  // namespace LevelRunner
