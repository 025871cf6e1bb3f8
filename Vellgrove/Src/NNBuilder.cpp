#include "NNBuilder.h"

#include "KorvexCoreException.h"
#include "SFileHelpers.h"
#include "XMLException.h"
#include "XMLNode.h"
#include "XMLParser.h"

#include <boost/lexical_cast.hpp>

using SCore::KorvexCoreException;
using SCore::SXML::XMLNode;
using NodePtr = boost::shared_ptr<XMLNode>;

namespace {

NodePtr RequireChild(const NodePtr& node, const std::string& name) {
  NodePtr child = SCore::SXML::FindChild(node, name);
  if (!child) throw KorvexCoreException(("nn: missing element " + name).c_str());
  return child;
}

double ToNumber(const std::string& text) {
  try {
    return boost::lexical_cast<double>(text);
  } catch (const boost::bad_lexical_cast&) {
    throw KorvexCoreException(("nn: not a number: \"" + text + "\"").c_str());
  }
}

int ToLayerSize(const std::string& text) {
  int size = 0;
  try {
    size = boost::lexical_cast<int>(text);
  } catch (const boost::bad_lexical_cast&) {
    throw KorvexCoreException(("nn: not a layer size: \"" + text + "\"").c_str());
  }
  if (size < 1 || size > NNBuilder::kMaxLayerSize) {
    throw KorvexCoreException(("nn: layer size out of range: " + text).c_str());
  }
  return size;
}

// The weights and biases of every layer after the first, counted before any is allocated.
void RequireHoldableWeights(const std::vector<int>& sizes) {
  std::size_t count = 0;
  for (std::size_t k = 1; k < sizes.size(); ++k) {
    count += std::size_t(sizes[k - 1]) * std::size_t(sizes[k]) + std::size_t(sizes[k]);
    if (count > NNBuilder::kMaxWeightCount) {
      throw KorvexCoreException(
          ("nn: too many weights: more than " + std::to_string(NNBuilder::kMaxWeightCount)).c_str());
    }
  }
}

std::string PathText(const std::wstring& path) { return std::string(path.begin(), path.end()); }

}  // namespace

NNBuilder::NNBuilder(std::string separator) : m_separator(std::move(separator)) {}

NNBuilder::~NNBuilder() = default;

boost::shared_ptr<NeuroNet> NNBuilder::Build(const std::wstring& path) const {
  const std::string text = ReadFileToString(path);
  // The parser's and the net's texts alone would not say which file is broken.
  try {
    return BuildFromText(text);
  } catch (const KorvexCoreException& failure) {
    throw KorvexCoreException((std::string(failure.what()) + " [" + PathText(path) + "]").c_str());
  } catch (const SCore::SXML::XMLException& failure) {
    throw KorvexCoreException((std::string(failure.what()) + " [" + PathText(path) + "]").c_str());
  }
}

boost::shared_ptr<NeuroNet> NNBuilder::BuildFromText(const std::string& text) const {
  SCore::SXML::XMLParser parser(text);
  const NodePtr net = RequireChild(parser.GetRoot(), "neuronet");
  const double alpha = ToNumber(RequireChild(net, "alpha")->Text);
  const double beta = ToNumber(RequireChild(net, "beta")->Text);
  std::vector<int> sizes;
  std::vector<std::vector<double>> weights;
  for (const NodePtr& layer : RequireChild(net, "layers")->Children) {
    sizes.push_back(ToLayerSize(SCore::SXML::GetAttribute(layer, "size")->GetValue()));
    if (sizes.size() > 1) weights.push_back(ParseValues(layer->Text));
  }
  RequireHoldableWeights(sizes);
  std::vector<double> inputScale = ParseValues(RequireChild(net, "input_scale")->Text);
  std::vector<double> outputScale = ParseValues(RequireChild(net, "output_scale")->Text);
  boost::shared_ptr<NeuroNet> result(new NeuroNet(sizes, alpha, beta));
  result->SetWeights(std::move(weights), std::move(inputScale), std::move(outputScale));
  return result;
}

std::vector<double> NNBuilder::ParseValues(const std::string& text) const {
  std::vector<double> values;
  std::size_t position = 0;
  const auto skipBlanks = [&] {
    while (position < text.size() && text[position] == ' ') ++position;
  };
  for (std::size_t found; (found = text.find(m_separator, position)) != std::string::npos;) {
    skipBlanks();
    if (position > found) position = found;  // a separator that begins with a blank
    values.push_back(ToNumber(text.substr(position, found - position)));
    position = found + m_separator.size();
  }
  skipBlanks();
  values.push_back(ToNumber(text.substr(position)));
  return values;
}
