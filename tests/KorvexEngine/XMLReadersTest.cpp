#include "NumberTextTestSupport.h"
#include "STinyXMLDeserializator.h"
#include "SXMLDeserializator.h"
#include "TempFolder.h"
#include "XMLTestSupport.h"

#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <typeinfo>

using SCore::SDeserializator;
using XMLTestSupport::FailureOf;
using XMLTestSupport::StartsWith;
using XMLTestSupport::Wide;

namespace {

const char* const kLevel =
    "<Level Name=\"one\" Flag=\"true\" Count=\" 5\" Spaced=\"  a b  \">\n"
    "  <Item Id=\"1\"></Item>\n"
    "  <Item Id=\"2\"></Item>\n"
    "  <Pos X=\"1\" Y=\"2\" Z=\"3\"></Pos>\n"
    "  <Pos X=\"4\" Y=\"5\" Z=\"6\"></Pos>\n"
    "  <Partial X=\"7\" Y=\"8\"></Partial>\n"
    "  <Words>only text</Words>\n"
    "</Level>\n"
    "<Other></Other>";

// What the two readers do differently, as each is meant to.
struct ReaderKind {
  const char* name;
  std::function<boost::shared_ptr<SDeserializator>()> makeEmpty;
  std::function<boost::shared_ptr<SDeserializator>(const std::wstring&)> open;
  int sameNameIndex;              // which of two children of one name a lookup by name takes
  std::string missingAttribute;   // the start of the message for a missing attribute "Nope"
  const char* afterFailedRecord;  // where a record read that fails part-way leaves the reader
  std::string fileFailure;        // the start of the message for a file that cannot be read
};

std::ostream& operator<<(std::ostream& out, const ReaderKind& kind) { return out << kind.name; }

const ReaderKind kEngineReader = {
    "Engine",
    [] { return boost::shared_ptr<SDeserializator>(new SCore::SXMLDeserializator()); },
    [](const std::wstring& path) { return boost::shared_ptr<SDeserializator>(new SCore::SXMLDeserializator(path)); },
    1,
    "Attribute:Nope not found SXMLDeserializator::DoDeserialize .\\Src\\SXMLDeserializator at:",
    "Level",
    "File [",
};

const ReaderKind kTinyReader = {
    "TinyXML",
    [] { return boost::shared_ptr<SDeserializator>(new SCore::STinyXMLDeserializator("Russian")); },
    [](const std::wstring& path) {
      return boost::shared_ptr<SDeserializator>(new SCore::STinyXMLDeserializator(path, "Russian"));
    },
    0,
    "Deserializator error: can't find attribute:Nope STinyXMLDeserializator::GetAttribute "
    ".\\Src\\STinyXMLDeserializator at:",
    "Partial",
    "can't load xml file: ",
};

class XMLReaders : public ::testing::TestWithParam<ReaderKind> {
 protected:
  void SetUp() override {
    m_reader = GetParam().makeEmpty();
    m_reader->DoParseText(kLevel);
  }

  boost::shared_ptr<SDeserializator> m_reader;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Both, XMLReaders, ::testing::Values(kEngineReader, kTinyReader),
                         [](const ::testing::TestParamInfo<ReaderKind>& info) { return info.param.name; });

TEST_P(XMLReaders, EntersChildrenByIndexAndByName) {
  EXPECT_EQ(m_reader->DoGetChildCount(), 2u);
  m_reader->DoBeginChild(1u);
  EXPECT_EQ(m_reader->GetNodeName(), "Other");
  m_reader->DoEndChild();
  EXPECT_TRUE(StartsWith(FailureOf([&] { m_reader->DoBeginChild(2u); }), "can't access unreal child "));
  EXPECT_EQ(m_reader->DoGetChildCount(), 2u);

  m_reader->DoBeginChild("Level");
  EXPECT_EQ(m_reader->DoGetChildCount(), 6u);
  EXPECT_TRUE(m_reader->DoIsHaveChild("Item"));
  EXPECT_FALSE(m_reader->DoIsHaveChild("Name"));
  m_reader->DoBeginChild("Item");
  int id = 0;
  m_reader->DoDeserialize("Id", id);
  EXPECT_EQ(id, GetParam().sameNameIndex + 1);
  m_reader->DoEndChild();
  SCore::SVector3 position;
  m_reader->DoDeserialize("Pos", position);
  EXPECT_EQ(position.X, GetParam().sameNameIndex == 0 ? 1.0f : 4.0f);
  EXPECT_EQ(m_reader->GetNodeName(), "Level");
}

TEST_P(XMLReaders, FailedNavigationKeepsThePosition) {
  m_reader->DoBeginChild("Level");
  const std::string missing = FailureOf([&] { m_reader->DoBeginChild("Missing"); });
  EXPECT_TRUE(StartsWith(missing, "Deserializator error: can't find child node:Missing ")) << missing;
  EXPECT_EQ(m_reader->GetNodeName(), "Level");

  m_reader->DoBeginChild("Words");
  EXPECT_EQ(m_reader->DoGetChildCount(), 0u);
  EXPECT_NE(FailureOf([&] { m_reader->DoBeginChild(0u); }), "(no failure)");
  m_reader->DoEndChild();
  m_reader->DoEndChild();
  EXPECT_NE(FailureOf([&] { m_reader->DoEndChild(); }), "(no failure)");
  EXPECT_TRUE(m_reader->DoIsHaveChild("Level"));
  m_reader->DoBeginChild("Level");
  EXPECT_EQ(m_reader->GetNodeName(), "Level");
}

TEST_P(XMLReaders, MissingOrMalformedValuesRaiseAndLeaveTheTarget) {
  m_reader->DoBeginChild("Level");
  float number = 42.0f;
  const std::string missing = FailureOf([&] { m_reader->DoDeserialize("Nope", number); });
  EXPECT_TRUE(StartsWith(missing, GetParam().missingAttribute)) << missing;
  EXPECT_EQ(number, 42.0f);
  EXPECT_FALSE(m_reader->DoIsAvialableName("Nope"));
  EXPECT_TRUE(m_reader->DoIsAvialableName("Flag"));

  bool flag = false;
  const std::string notAFlag = FailureOf([&] { m_reader->DoDeserialize("Flag", flag); });
  EXPECT_TRUE(StartsWith(notAFlag, "can't convert value[true] of attribute[Flag] in element[Level] to type[bool]"))
      << notAFlag;
  EXPECT_FALSE(flag);
  int count = 0;
  const std::string notANumber = FailureOf([&] { m_reader->DoDeserialize("Count", count); });
  EXPECT_TRUE(StartsWith(notANumber, "can't convert value[ 5] of attribute[Count] in element[Level] to type[int]"))
      << notANumber;
  std::string spaced;
  m_reader->DoDeserialize("Spaced", spaced);
  EXPECT_EQ(spaced, "  a b  ");

  long long reserved = 0;
  EXPECT_EQ(FailureOf([&] { m_reader->DoDeserialize("Count", reserved); }), "method is not define");
}

TEST_P(XMLReaders, ReadNumbersAsLexicalCastDoes) {
  using NumberTextTestSupport::LexicalCastOutcome;
  using NumberTextTestSupport::OutcomeOf;
  const char* const texts[] = {
      "0",   "-1",   "-5",    "01",   "+1",   "00",          "-0",          "1e-50",      "1.5",  ".5",
      "5.",  " 5",   "5 ",    "5x",   "",     "+",           "-",           "1e",         "1e+5", "0x10",
      "inf", "-NaN", "nan(1)", "1e400", "65536", "2147483648", "-2147483648", "4294967296", "1,5",  "true",
  };
  for (const char* text : texts) {
    const boost::shared_ptr<SDeserializator> reader = GetParam().makeEmpty();
    reader->DoParseText(std::string("<V a=\"") + text + "\"></V>");
    reader->DoBeginChild("V");
    NumberTextTestSupport::ForEachReadKind([&](auto kind) {
      using Value = decltype(kind);
      // The readers refuse with their own error, which names the attribute; what counts here is
      // that they refuse what the cast refuses.
      const auto read = [&] {
        Value value{};
        try {
          reader->DoDeserialize("a", value);
        } catch (const SCore::KorvexCoreException&) {
          throw boost::bad_lexical_cast();
        }
        return value;
      };
      EXPECT_EQ(OutcomeOf<Value>(read), LexicalCastOutcome<Value>(text))
          << NumberTextTestSupport::Quoted(text) << " read as " << typeid(Value).name();
    });
  }
}

TEST_P(XMLReaders, RecordsReadTheirFieldsAsLexicalCastDoes) {
  m_reader->DoParseText(
      "<R><T MipLevels=\"-1\" Usage=\"007\" Format=\"+21\" Pool=\"0\" Filter=\"-0\" MipFilter=\"2\"></T>"
      "<F IsBilinear=\"00\" IsTrilinear=\"+1\" IsAnisotropic=\"-0\"></F>"
      "<P X=\"-0\" Y=\"1e-50\" Z=\"+.5\"></P></R>");
  m_reader->DoBeginChild("R");
  SCore::STextureParameters parameters;
  m_reader->DoDeserialize("T", parameters);
  EXPECT_EQ(parameters.MipLevels, 4294967295u);
  EXPECT_EQ(parameters.Usage, 7u);
  EXPECT_EQ(parameters.Format, 21u);
  EXPECT_EQ(parameters.Filter, 0u);
  SCore::STextureFiltration filtration;
  m_reader->DoDeserialize("F", filtration);
  EXPECT_FALSE(filtration.IsBilinear);
  EXPECT_TRUE(filtration.IsTrilinear);
  EXPECT_FALSE(filtration.IsAnisotropic);
  SCore::SVector3 position{1.0f, 1.0f, 1.0f};
  m_reader->DoDeserialize("P", position);
  EXPECT_TRUE(position.X == 0.0f && std::signbit(position.X));
  EXPECT_EQ(position.Y, 0.0f);
  EXPECT_EQ(position.Z, 0.5f);
}

TEST_P(XMLReaders, RecordReadFailingPartWayKeepsTheFieldsReadBeforeIt) {
  m_reader->DoBeginChild("Level");
  SCore::SVector3 partial{0.0f, 0.0f, 9.0f};
  EXPECT_NE(FailureOf([&] { m_reader->DoDeserialize("Partial", partial); }).find("Z"), std::string::npos);
  EXPECT_EQ(partial.X, 7.0f);
  EXPECT_EQ(partial.Y, 8.0f);
  EXPECT_EQ(partial.Z, 9.0f);
  EXPECT_EQ(m_reader->GetNodeName(), GetParam().afterFailedRecord);
}

TEST_P(XMLReaders, UnreadableFilesRaiseAnErrorThatNamesThem) {
  TestSupport::TempFolder folder;
  const struct {
    const char* file;
    const char* content;  // nullptr: the file does not exist
  } cases[] = {
      {"missing.xml", nullptr},
      {"empty.xml", ""},
      {"truncated.xml", "<Level Name=\"one\">\n  <Item"},
      {"malformed.xml", "<Level></Levle>"},
      {"prose.xml", "not xml at all"},
  };
  for (const auto& c : cases) {
    const std::string path = c.content == nullptr ? folder / c.file : folder.Write(c.file, c.content);
    const std::string message = FailureOf([&] { GetParam().open(Wide(path)); });
    EXPECT_TRUE(StartsWith(message, GetParam().fileFailure + path)) << message;
    EXPECT_TRUE(StartsWith(FailureOf([&] { m_reader->DoClone(Wide(path)); }), GetParam().fileFailure + path));
  }
  const std::string good = folder.Write("good.xml", kLevel);
  EXPECT_EQ(m_reader->DoClone(Wide(good))->DoGetChildCount(), 2u);
}

TEST(EngineXMLReader, StartsWithABuiltInDocumentOfTwoLevels) {
  SCore::SXMLDeserializator reader;
  EXPECT_EQ(reader.GetNodeName(), "root");
  EXPECT_EQ(reader.DoGetChildCount(), 1u);
  reader.DoBeginChild("root");
  EXPECT_EQ(reader.GetNodeName(), "root");
  EXPECT_EQ(reader.DoGetChildCount(), 0u);
}

TEST(EngineXMLReader, FailedParseKeepsThePreviousTree) {
  SCore::SXMLDeserializator reader;
  reader.DoParseText("<a><b></b></a>");
  reader.DoBeginChild("a");
  const std::string message = FailureOf([&] { reader.DoParseText("<c></C>"); });
  EXPECT_TRUE(StartsWith(message, "CloseTag not found SXMLDeserializator::ParseText .\\Src\\SXMLDeserializator at:"))
      << message;
  EXPECT_EQ(reader.GetNodeName(), "a");
  EXPECT_EQ(reader.DoGetChildCount(), 1u);
}

TEST(EngineXMLReader, ReadsFilesWithEitherLineEnd) {
  TestSupport::TempFolder folder;
  for (const char* text : {"<a x=\"1\">\n  <b></b>\n</a>", "<a x=\"1\">\r\n  <b></b>\r\n</a>\r\n"}) {
    SCore::SXMLDeserializator reader(Wide(folder.Write("a.xml", text)));
    reader.DoBeginChild("a");
    EXPECT_EQ(reader.DoGetChildCount(), 1u);
    EXPECT_TRUE(reader.DoIsAvialableName("x"));
  }
}

TEST(TinyXMLReader, FailedParseRaisesWithPlaceAndKeepsThePreviousDocument) {
  SCore::STinyXMLDeserializator reader("Russian");
  reader.DoParseText("<?xml version=\"1.0\"?>\n<Users><U Name=\"a\"></U></Users>");
  const std::string message = FailureOf([&] { reader.DoParseText("<Users>\n  <U Name=\"a></Users>"); });
  EXPECT_TRUE(StartsWith(message, "can't parse xml text: ")) << message;
  EXPECT_NE(message.find("(row 2, column "), std::string::npos) << message;
  EXPECT_NE(FailureOf([&] { reader.DoParseText(""); }), "(no failure)");
  // the document level has no name and no attributes
  EXPECT_NE(FailureOf([&] { reader.GetNodeName(); }), "(no failure)");
  EXPECT_NE(FailureOf([&] { reader.GetAttribute("Name"); }), "(no failure)");
  EXPECT_FALSE(reader.DoIsAvialableName("Name"));
  // the declaration is no element: the first element found is the document's own
  reader.DoBeginChild("Users");
  reader.DoBeginChild(0u);
  EXPECT_EQ(reader.GetAttribute("Name"), "a");
}

TEST(TinyXMLReader, ResolvesCharacterReferencesWhereTheEngineReaderKeepsThem) {
  const char* const text = "<a v=\"&#65;&amp;\"></a>";
  SCore::STinyXMLDeserializator tiny("Russian");
  SCore::SXMLDeserializator engine;
  std::string tinyValue;
  std::string engineValue;
  for (SDeserializator* reader : {static_cast<SDeserializator*>(&tiny), static_cast<SDeserializator*>(&engine)}) {
    reader->DoParseText(text);
    reader->DoBeginChild("a");
  }
  tiny.DoDeserialize("v", tinyValue);
  engine.DoDeserialize("v", engineValue);
  EXPECT_EQ(tinyValue, "A&");
  EXPECT_EQ(engineValue, "&#65;&");
}

TEST(TinyXMLReader, WidensThroughItsLocaleAndClonesWithRussian) {
  TestSupport::TempFolder folder;
  const std::string file = folder.Write("u.xml", "<U Name=\"\xc0\" Bad=\"\x98\"></U>");
  SCore::STinyXMLDeserializator english(Wide(file), "English");
  english.DoBeginChild("U");
  std::wstring name;
  english.DoDeserialize("Name", name);
  EXPECT_EQ(name, L"\u00c0");

  const auto clone = english.DoClone(Wide(file));
  clone->DoBeginChild("U");
  clone->DoDeserialize("Name", name);
  EXPECT_EQ(name, L"\u0410");
  EXPECT_EQ(FailureOf([&] { clone->DoDeserialize("Bad", name); }), "Cannot convert string to wstring. Locale: Russian");
  EXPECT_EQ(name, L"\u0410");
}
