#include "KorvexCoreDX9Exception.h"
#include "SEngineException.h"
#include "XMLException.h"
#include "srethrow.h"

#include <boost/lexical_cast.hpp>
#include <gtest/gtest.h>

#include <stdexcept>
#include <typeinfo>

using SCore::KorvexCoreException;

TEST(Rethrow, MessageIsComposedExactly) {
  const struct {
    const char* caught;
    const char* context;
    const char* path;
    int line;
    const char* expected;
  } cases[] = {
      {"m", "A", "P", 10, "m A P at:10"},
      {"", "Fader::FadeIn()", "..\\Src\\Fader", 7, " Fader::FadeIn() ..\\Src\\Fader at:7"},
      {"m A P at:10", "B", "Q", 20, "m A P at:10 B Q at:20"},
      {"x", "SXMLDeserializator::LoadFile", ".\\Src\\SXMLDeserializator", 123456,
       "x SXMLDeserializator::LoadFile .\\Src\\SXMLDeserializator at:123456"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SCore::ComposeRethrowMessage(c.caught, c.context, c.path, c.line), c.expected);
  }
}

namespace {

template <typename Failure>
void EngineOperation(const Failure& failure) {
  KORVEX_TRY
    throw failure;
  KORVEX_RETHROW("SEngine::Operation()", ".\\Src\\SEngine")
}
const int g_engineLine = __LINE__ - 2;

template <typename Failure>
void GameOperation(const Failure& failure) {
  KORVEX_TRY
    EngineOperation(failure);
  KORVEX_RETHROW("VGGame::Operation()", "..\\Src\\VGGame")
}
const int g_gameLine = __LINE__ - 2;

template <typename Failure>
std::exception_ptr Capture(const Failure& failure) {
  try {
    GameOperation(failure);
  } catch (...) {
    return std::current_exception();
  }
  return nullptr;
}

}  // namespace

TEST(Rethrow, ChainCrossesTwoHandlersInnermostFirstAsThePlainCoreClass) {
  const std::exception_ptr caught = Capture(KorvexEngine::SEngineException("unknown name: x"));
  try {
    std::rethrow_exception(caught);
  } catch (const KorvexCoreException& error) {
    EXPECT_EQ(typeid(error), typeid(KorvexCoreException));
    const std::string expected = "unknown name: x SEngine::Operation() .\\Src\\SEngine at:" +
                                 std::to_string(g_engineLine) + " VGGame::Operation() ..\\Src\\VGGame at:" +
                                 std::to_string(g_gameLine);
    EXPECT_EQ(error.what(), expected);
  }
}

TEST(Rethrow, DerivedCoreClassesComeOutAsTheBaseClass) {
  try {
    std::rethrow_exception(Capture(SCore::KorvexCoreDX9Exception("can't reset D3D9 device(D3DERR_DEVICELOST)")));
  } catch (const KorvexCoreException& error) {
    EXPECT_EQ(typeid(error), typeid(KorvexCoreException));
  }
}

template <typename Failure>
void ExpectUnchanged(const Failure& failure) {
  try {
    std::rethrow_exception(Capture(failure));
  } catch (const KorvexCoreException&) {
    ADD_FAILURE() << "a foreign exception was turned into a core exception";
  } catch (const std::exception& error) {
    EXPECT_EQ(typeid(error), typeid(Failure));
    EXPECT_STREQ(error.what(), failure.what());
  }
}

TEST(Rethrow, ForeignExceptionsCrossUnchanged) {
  ExpectUnchanged(SCore::SXML::XMLException("Unexpected end of file"));
  ExpectUnchanged(std::out_of_range("vector::at"));
  try {
    boost::lexical_cast<int>("not a number");
  } catch (const boost::bad_lexical_cast& error) {
    ExpectUnchanged(error);
  }
}

TEST(Exceptions, CopiesOwnTheirMessage) {
  std::string text = "first";
  KorvexCoreException original(text.c_str());
  text = "changed";
  const KorvexCoreException copy(original);
  EXPECT_STREQ(original.what(), "first");
  EXPECT_STREQ(copy.what(), "first");
  const SCore::SXML::XMLException xmlCopy(SCore::SXML::XMLException("xml"));
  EXPECT_STREQ(xmlCopy.what(), "xml");
}
