#pragma once

#include "NeuroNet.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>
#include <vector>

// Reads a network from its XML file. Every failure is a KorvexCoreException whose text ends with the
// file's path in brackets.
class NNBuilder {
 public:
  // Layer sizes outside this range are refused before anything is allocated.
  static constexpr int kMaxLayerSize = 100000;
  // So are layers whose weights and biases together pass this count (80 MB of weights): layers of
  // sizes within range may still multiply to more memory than any machine has. The shipped net
  // holds under ten thousand.
  static constexpr std::size_t kMaxWeightCount = 10000000;

  explicit NNBuilder(std::string separator);
  virtual ~NNBuilder();

  boost::shared_ptr<NeuroNet> Build(const std::wstring& path) const;
  // Items separated by the separator; only leading blanks of an item are skipped.
  std::vector<double> ParseValues(const std::string& text) const;

 private:
  boost::shared_ptr<NeuroNet> BuildFromText(const std::string& text) const;

  std::string m_separator;
};
