#pragma once

#include <cstdio>
#include <random>
#include <vector>

namespace nn_train {

// A fully connected network of tanh layers as the game's network file holds it: per layer the weights
// input-major, then the biases. Trained one sample at a time; inputs of 0 cost nothing, which makes the
// mostly empty grids of strokes quick to learn from.
class LayeredNet {
 public:
  explicit LayeredNet(std::vector<int> sizes);

  void Initialise(std::mt19937_64& random);
  // One step of gradient descent on the squared error; returns that error.
  double Learn(const std::vector<double>& input, const std::vector<double>& target, double rate);
  // Alpha 2 and beta 1 make the file's activation tanh itself; inputs and outputs are left unscaled.
  bool Write(const char* path) const;

 private:
  void Forward(const std::vector<double>& input);

  std::vector<int> m_sizes;
  std::vector<std::vector<double>> m_weights;
  std::vector<std::vector<double>> m_outputs;  // per layer, the inputs' layer first
  std::vector<std::vector<double>> m_deltas;
};

}  // namespace nn_train
