#include "NeuroNet.h"

#include "KorvexCoreException.h"

#include <cmath>
#include <string>

using SCore::KorvexCoreException;

NeuroNet::NeuroNet(std::vector<int> sizes, double alpha, double beta)
    : m_margin(0.2), m_alpha(alpha), m_beta(beta), m_sizes(std::move(sizes)) {
  for (std::size_t k = 1; k < m_sizes.size(); ++k) {
    m_weights.emplace_back(std::size_t(m_sizes[k - 1]) * m_sizes[k] + m_sizes[k], 0.0);
  }
  if (!m_sizes.empty()) m_inputScale.assign(2 * std::size_t(m_sizes.front()), 1.0);
  if (m_sizes.size() >= 2) m_outputScale.assign(2 * std::size_t(m_sizes.back()), 1.0);
}

NeuroNet::~NeuroNet() = default;

void NeuroNet::SetWeights(std::vector<std::vector<double>> weights, std::vector<double> inputScale,
                          std::vector<double> outputScale) {
  if (weights.size() != m_weights.size()) throw KorvexCoreException("Incorrect size of layer count");
  if (inputScale.size() != m_inputScale.size()) throw KorvexCoreException("Incorrect size of scale inputs");
  if (outputScale.size() != m_outputScale.size()) throw KorvexCoreException("Incorrect size of scale outputs");
  m_inputScale = std::move(inputScale);
  m_outputScale = std::move(outputScale);
  for (std::size_t k = 0; k < weights.size(); ++k) {
    if (weights[k].size() != m_weights[k].size()) {
      throw KorvexCoreException(("Incorrect size of weight for layer " + std::to_string(k)).c_str());
    }
    m_weights[k] = std::move(weights[k]);
  }
}

std::vector<double> NeuroNet::Compute(std::vector<double> input) const {
  if (m_sizes.empty()) throw KorvexCoreException("weights of neuronet is not init");
  if (input.size() != std::size_t(m_sizes.front())) {
    throw KorvexCoreException("size of input values does not match with size of input of neuronet");
  }
  return Scale(ForwardLayer(Scale(std::move(input), m_inputScale), 1), m_outputScale);
}

int NeuroNet::Recognize(std::vector<double> input) const {
  const std::vector<double> out = Compute(std::move(input));
  if (out.empty()) return -1;
  std::size_t best = 0;
  for (std::size_t i = 1; i < out.size(); ++i) {
    if (out[i] > out[best]) best = i;
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i != best && std::fabs(out[i] - out[best]) < m_margin) return -1;
  }
  return int(best);
}

// A one-layer net has no output scale: it passes its values through as they are.
std::vector<double> NeuroNet::Scale(std::vector<double> values, const std::vector<double>& scale) const {
  if (scale.empty()) return values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = values[i] * scale[2 * i] + scale[2 * i + 1];
  return values;
}

std::vector<double> NeuroNet::ForwardLayer(std::vector<double> values, std::size_t layer) const {
  for (; layer < m_sizes.size(); ++layer) {
    const std::vector<double>& w = m_weights[layer - 1];
    const std::size_t outCount = std::size_t(m_sizes[layer]);
    std::vector<double> out(outCount);
    for (std::size_t j = 0; j < outCount; ++j) {
      double sum = 0.0;
      for (std::size_t i = 0; i < values.size(); ++i) sum = values[i] * w[i * outCount + j] + sum;
      out[j] = Activate(w[values.size() * outCount + j] + sum);
    }
    values = std::move(out);
  }
  return values;
}

// The tanh form of beta * (1 - e) / (1 + e), e = exp(-alpha * s): it cannot overflow into NaN.
double NeuroNet::Activate(double sum) const { return m_beta * std::tanh(m_alpha * sum / 2.0); }
