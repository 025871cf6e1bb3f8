#pragma once

#include <vector>

// A small fully connected feed-forward network with a bipolar sigmoid activation, scaled inputs and
// outputs, and an arg-max answer that refuses a near tie. Failures raise KorvexCoreException.
class NeuroNet {
 public:
  NeuroNet(std::vector<int> sizes, double alpha, double beta);
  virtual ~NeuroNet();

  // Weight list k belongs to layer k + 1: input-major weights, then that layer's biases.
  void SetWeights(std::vector<std::vector<double>> weights, std::vector<double> inputScale,
                  std::vector<double> outputScale);
  std::vector<double> Compute(std::vector<double> input) const;
  // The index of the clear maximum, or -1 when another output lies within the margin of it.
  int Recognize(std::vector<double> input) const;

  const std::vector<int>& GetSizes() const { return m_sizes; }

 private:
  std::vector<double> Scale(std::vector<double> values, const std::vector<double>& scale) const;
  std::vector<double> ForwardLayer(std::vector<double> values, std::size_t layer) const;
  double Activate(double sum) const;

  double m_margin;
  double m_alpha;
  double m_beta;
  std::vector<int> m_sizes;
  std::vector<double> m_inputScale;
  std::vector<double> m_outputScale;
  std::vector<std::vector<double>> m_weights;
};
