#include "NNBuilder.h"
#include "NeuroNet.h"

#include "KorvexCoreException.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <unistd.h>

using SCore::KorvexCoreException;

namespace {

// A net whose outputs are the given values: one layer of identity-like size, no hidden layer.
int RecognizeOutputs(const std::vector<double>& outputs) {
  const int n = int(outputs.size());
  // Two layers n -> n with zero weights; biases chosen so that tanh(s) (alpha 2, beta 1) is the output.
  NeuroNet net({n, n}, 2.0, 1.0);
  std::vector<double> list(std::size_t(n) * n + n, 0.0);
  for (int j = 0; j < n; ++j) list[std::size_t(n) * n + j] = std::atanh(outputs[j]);
  std::vector<double> identity;
  for (int j = 0; j < n; ++j) identity.insert(identity.end(), {1.0, 0.0});
  net.SetWeights({list}, identity, identity);
  return net.Recognize(std::vector<double>(n, 0.0));
}

class NetFile : public ::testing::Test {
 protected:
  std::wstring Write(const std::string& text) {
    const std::string path = "nn-test-" + std::to_string(getpid()) + ".xml";
    std::ofstream(path, std::ios::binary) << text;
    m_path = path;
    return std::wstring(path.begin(), path.end());
  }
  void TearDown() override {
    if (!m_path.empty()) std::remove(m_path.c_str());
  }
  std::string m_path;
};

const char* const kTwoTwoTwo =
    "<neuronet><alpha>2</alpha><beta>1</beta><layers>"
    "<l size=\"2\"></l><l size=\"2\">0.5,-1,0.25,2,0.1,-0.2</l><l size=\"2\">1,0,-1,3,0,0.5</l>"
    "</layers><input_scale>2,-1,1,0</input_scale><output_scale>1,0,10,1</output_scale></neuronet>";

}  // namespace

TEST(NeuroNet, RefusesNearTiesByTheMargin) {
  struct Case { std::vector<double> outputs; int expected; };
  const Case cases[] = {{{0.9, 0.65, 0.1}, 0}, {{0.9, 0.75, 0.1}, -1}, {{0.5, 0.5}, -1},
                        {{0.3}, 0}, {{0.1, 0.9, 0.4}, 1}};
  for (const Case& c : cases) EXPECT_EQ(RecognizeOutputs(c.outputs), c.expected) << c.outputs[0];
}

TEST(NeuroNet, ActivationSaturatesWithoutNaN) {
  NeuroNet net({1, 1}, 2.0, 1.0);
  for (double w : {0.0, 1e6, -1e6}) {
    net.SetWeights({{w, 0.0}}, {1.0, 0.0}, {1.0, 0.0});
    const double out = net.Compute({1.0})[0];
    EXPECT_FALSE(std::isnan(out));
    EXPECT_NEAR(out, w == 0.0 ? 0.0 : (w > 0 ? 1.0 : -1.0), 1e-12);
  }
}

TEST(NeuroNet, SetWeightsAndComputeRefuseWrongSizes) {
  NeuroNet net({2, 3}, 2.0, 1.0);
  const std::vector<double> in(4, 1.0), out(6, 1.0), list(9, 0.0);
  struct Case { std::vector<std::vector<double>> w; std::vector<double> i, o; const char* text; };
  const Case cases[] = {{{}, in, out, "Incorrect size of layer count"},
                        {{list}, {1.0}, out, "Incorrect size of scale inputs"},
                        {{list}, in, {1.0}, "Incorrect size of scale outputs"},
                        {{{1.0}}, in, out, "Incorrect size of weight for layer 0"}};
  for (const Case& c : cases) {
    try {
      net.SetWeights(c.w, c.i, c.o);
      ADD_FAILURE() << c.text;
    } catch (const KorvexCoreException& failure) {
      EXPECT_STREQ(failure.what(), c.text);
    }
  }
  EXPECT_THROW(net.Compute({1.0}), KorvexCoreException);
  EXPECT_THROW(NeuroNet({}, 2.0, 1.0).Compute({}), KorvexCoreException);
}

TEST(NeuroNet, OneLayerNetPassesItsScaledInputThrough) {
  NeuroNet net({2}, 2.0, 1.0);
  net.SetWeights({}, {2.0, -1.0, 1.0, 0.5}, {});
  EXPECT_EQ(net.Compute({1.0, 1.0}), (std::vector<double>{1.0, 1.5}));
}

TEST_F(NetFile, HandComputedNetMatchesToTheLastDigits) {
  const auto net = NNBuilder(",").Build(Write(kTwoTwoTwo));
  // Inputs (1, 0.5) scale to (1, 0.5); asymmetric weights pin the input-major layout.
  const double h0 = std::tanh(1 * 0.5 + 0.5 * 0.25 + 0.1);
  const double h1 = std::tanh(1 * -1 + 0.5 * 2 - 0.2);
  const double o0 = std::tanh(h0 * 1 + h1 * -1 + 0);
  const double o1 = std::tanh(h0 * 0 + h1 * 3 + 0.5);
  const std::vector<double> out = net->Compute({1.0, 0.5});
  ASSERT_EQ(out.size(), 2u);
  EXPECT_NEAR(out[0], o0, 1e-12);
  EXPECT_NEAR(out[1], o1 * 10 + 1, 1e-12);
}

TEST(NNBuilder, ParseValuesSkipsOnlyLeadingBlanks) {
  const NNBuilder builder(",");
  EXPECT_EQ(builder.ParseValues("1.5, 2,3"), (std::vector<double>{1.5, 2, 3}));
  EXPECT_EQ(builder.ParseValues("  -1e-3"), (std::vector<double>{-1e-3}));
  for (const char* bad : {"1 ,2", "1,2,", "1,,2", "1,2 ", "", "x"}) {
    EXPECT_THROW(builder.ParseValues(bad), KorvexCoreException) << bad;
  }
}

TEST_F(NetFile, EveryLoadFailureNamesTheFile) {
  const std::string good = kTwoTwoTwo;
  const auto replace = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  struct Case { std::string text; const char* part; };
  const Case cases[] = {
      {"<neuronet><alpha>2</alpha", "nn-test"},
      {replace("<alpha>2</alpha>", ""), "nn: missing element alpha"},
      {replace("<output_scale>1,0,10,1</output_scale>", ""), "nn: missing element output_scale"},
      {replace("<beta>1</beta>", "<beta>one</beta>"), "not a number"},
      {replace("<l size=\"2\"></l>", "<l></l>"), "Attribute:size not found"},
      {replace("<l size=\"2\"></l>", "<l size=\"0\"></l>"), "layer size out of range"},
      {replace("<l size=\"2\"></l>", "<l size=\"2000000\"></l>"), "layer size out of range"},
      {replace("0.5,-1,0.25,2,0.1,-0.2", "0.5"), "Incorrect size of weight for layer 0"},
      {replace("<input_scale>2,-1,1,0", "<input_scale>2,-1"), "Incorrect size of scale inputs"},
      {replace("<l size=\"2\">0.5,-1,0.25,2,0.1,-0.2</l><l size=\"2\">1,0,-1,3,0,0.5</l>", ""),
       "Incorrect size of scale outputs"}};
  for (const Case& c : cases) {
    try {
      NNBuilder(",").Build(Write(c.text));
      ADD_FAILURE() << c.part;
    } catch (const KorvexCoreException& failure) {
      const std::string text = failure.what();
      EXPECT_NE(text.find(c.part), std::string::npos) << text;
      EXPECT_NE(text.find("[" + m_path + "]"), std::string::npos) << text;
    }
  }
  EXPECT_THROW(NNBuilder(",").Build(L"no-such-net.xml"), KorvexCoreException);
}

// Two layers of the largest size each would ask for 80 GB of weights before a single weight is
// read; the file is refused from its sizes alone, so nothing large is ever allocated.
TEST_F(NetFile, ANetTooLargeToHoldIsRefusedFromItsSizesNamingTheFile) {
  const std::string largest = std::to_string(NNBuilder::kMaxLayerSize);
  const std::string text = "<neuronet><alpha>2</alpha><beta>1</beta><layers><l size=\"" + largest +
                           "\"></l><l size=\"" + largest + "\">0</l></layers><input_scale>1</input_scale>"
                           "<output_scale>1</output_scale></neuronet>";
  try {
    NNBuilder(",").Build(Write(text));
    ADD_FAILURE() << "the net was built";
  } catch (const KorvexCoreException& failure) {
    const std::string message = failure.what();
    EXPECT_NE(message.find("nn: too many weights"), std::string::npos) << message;
    EXPECT_NE(message.find("[" + m_path + "]"), std::string::npos) << message;
  }
}
