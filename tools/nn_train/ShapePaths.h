#pragma once

#include <random>
#include <vector>

namespace nn_train {

struct Point {
  double x;
  double y;
};

using Path = std::vector<Point>;

// A shape as a person means it, before the hand draws it: a path through its box with y downwards, and
// the box's height over its width. A line has aspect 0: it runs from y 0 to 1 and its x strays from 0.5
// by shares of its length.
struct Shape {
  Path path;
  double aspect;
};

// The shapes a synthetic person draws. Each call varies the shape as people do: unequal arms and legs,
// rounded or sharp corners, loops that stop short or overshoot, either drawing direction.
// `fixedArchAspect` > 0 makes every arch exactly that flat (for measuring where arches stop being read).
Shape SpellShape(int spell, double fixedArchAspect, std::mt19937_64& random);
Shape NegativeShape(int kind, std::mt19937_64& random);
constexpr int kNegativeKinds = 14;

// Random numbers drawn the same way on every platform, so that the same seed trains the same network.
double Uniform(std::mt19937_64& random, double low, double high);
double LogUniform(std::mt19937_64& random, double low, double high);
bool Chance(std::mt19937_64& random, double probability);

}  // namespace nn_train
