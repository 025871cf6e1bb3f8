#include "LayeredNet.h"

#include <cmath>

namespace nn_train {

LayeredNet::LayeredNet(std::vector<int> sizes) : m_sizes(std::move(sizes)) {
  for (std::size_t k = 0; k < m_sizes.size(); ++k) {
    m_outputs.emplace_back(m_sizes[k]);
    m_deltas.emplace_back(m_sizes[k]);
    if (k > 0) m_weights.emplace_back(std::size_t(m_sizes[k - 1] + 1) * m_sizes[k], 0.0);
  }
}

void LayeredNet::Initialise(std::mt19937_64& random) {
  std::normal_distribution<double> normal(0, 1);
  for (std::size_t k = 1; k < m_sizes.size(); ++k) {
    std::vector<double>& w = m_weights[k - 1];
    const std::size_t weights = std::size_t(m_sizes[k - 1]) * m_sizes[k];
    for (std::size_t i = 0; i < weights; ++i) w[i] = normal(random) / std::sqrt(double(m_sizes[k - 1]));
  }
}

void LayeredNet::Forward(const std::vector<double>& input) {
  m_outputs[0] = input;
  for (std::size_t k = 1; k < m_sizes.size(); ++k) {
    const int in = m_sizes[k - 1], out = m_sizes[k];
    const std::vector<double>& w = m_weights[k - 1];
    std::vector<double>& y = m_outputs[k];
    // Input-major, as the weights are stored, so that the inner loop runs along memory.
    for (int j = 0; j < out; ++j) y[j] = w[std::size_t(in) * out + j];
    for (int i = 0; i < in; ++i) {
      const double x = m_outputs[k - 1][i];
      if (x == 0) continue;  // most cells of a grid are empty
      const double* row = &w[std::size_t(i) * out];
      for (int j = 0; j < out; ++j) y[j] += x * row[j];
    }
    for (double& v : y) v = std::tanh(v);
  }
}

double LayeredNet::Learn(const std::vector<double>& input, const std::vector<double>& target, double rate) {
  Forward(input);
  const std::size_t last = m_sizes.size() - 1;
  double error = 0;
  for (int j = 0; j < m_sizes[last]; ++j) {
    const double y = m_outputs[last][j], miss = y - target[j];
    error += miss * miss;
    m_deltas[last][j] = miss * (1 - y * y);
  }
  for (std::size_t k = last; k >= 1; --k) {
    const int in = m_sizes[k - 1], out = m_sizes[k];
    std::vector<double>& w = m_weights[k - 1];
    const std::vector<double>& delta = m_deltas[k];
    // The error passed down is taken before this layer's weights move.
    if (k > 1) {
      for (int i = 0; i < in; ++i) {
        const double* row = &w[std::size_t(i) * out];
        double sum = 0;
        for (int j = 0; j < out; ++j) sum += delta[j] * row[j];
        const double x = m_outputs[k - 1][i];
        m_deltas[k - 1][i] = sum * (1 - x * x);
      }
    }
    for (int i = 0; i < in; ++i) {
      const double x = m_outputs[k - 1][i];
      if (x == 0) continue;
      double* row = &w[std::size_t(i) * out];
      for (int j = 0; j < out; ++j) row[j] -= rate * delta[j] * x;
    }
    for (int j = 0; j < out; ++j) w[std::size_t(in) * out + j] -= rate * delta[j];
  }
  return error;
}

namespace {

void WriteList(std::FILE* file, const std::vector<double>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) std::fprintf(file, i ? ",%.17g" : "%.17g", values[i]);
}

}  // namespace

bool LayeredNet::Write(const char* path) const {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  std::fprintf(file, "<neuronet>\n<alpha>2</alpha>\n<beta>1</beta>\n<layers>\n<layer size=\"%d\"></layer>\n", m_sizes[0]);
  for (std::size_t k = 1; k < m_sizes.size(); ++k) {
    std::fprintf(file, "<layer size=\"%d\">", m_sizes[k]);
    WriteList(file, m_weights[k - 1]);
    std::fprintf(file, "</layer>\n");
  }
  std::fprintf(file, "</layers>\n<input_scale>");
  for (int i = 0; i < m_sizes.front(); ++i) std::fprintf(file, i ? ",1,0" : "1,0");
  std::fprintf(file, "</input_scale>\n<output_scale>");
  for (int o = 0; o < m_sizes.back(); ++o) std::fprintf(file, o ? ",1,0" : "1,0");
  std::fprintf(file, "</output_scale>\n</neuronet>\n");
  return std::fclose(file) == 0;
}

}  // namespace nn_train
