#include "KorvexCoreException.h"
#include "XMLException.h"
#include "XMLOutput.h"
#include "XMLParser.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

using SCore::SXML::XMLException;
using SCore::SXML::XMLNode;
using SCore::SXML::XMLParser;

namespace {

// a(x=1,y=2)[b(),c()]"text": name, attributes, children, text.
std::string Dump(const XMLNode& node) {
  std::string dump = node.Name + "(";
  for (std::size_t i = 0; i < node.Attributes.size(); ++i) {
    dump += (i ? "," : "") + node.Attributes[i]->GetName() + "=" + node.Attributes[i]->GetValue();
  }
  dump += ")";
  if (!node.Children.empty()) {
    dump += "[";
    for (std::size_t i = 0; i < node.Children.size(); ++i) dump += (i ? "," : "") + Dump(*node.Children[i]);
    dump += "]";
  }
  if (!node.Text.empty()) dump += "\"" + node.Text + "\"";
  return dump;
}

std::string ParseToDump(const std::string& text) { return Dump(*XMLParser(text).GetRoot()); }

std::string ParseError(const std::string& text) {
  try {
    XMLParser parser(text);
  } catch (const XMLException& error) {
    return error.what();
  }
  return "(parsed)";
}

}  // namespace

TEST(XMLParser, AcceptsTheDialect) {
  const struct {
    const char* text;
    const char* tree;
  } cases[] = {
      {"<?xml version=\"1.0\"?><a x=\"1\" y=\"2\">t</a>", "root()[a(x=1,y=2)\"t\"]"},
      {"<?xml version=\"1.0\"?>\n  <a x=\"1\" y=\"2\">t</a>\r\n", "root()[a(x=1,y=2)\"t\"]"},
      {"<a></a>", "root()[a()]"},
      {"", "root()"},
      {"<root></root>", "root()[root()]"},
      // "<?xml" anywhere, even in a value, skips to the first "?>"
      {"<a v=\"<?xml\"></a><b></b>?><c></c>", "root()[c()]"},
      {"<a>\n  <b></b>\n  hello </a>", "root()[a()[b()]\"hello \"]"},
      {"<a>a b\tc</a>", "root()[a()\"a bc\"]"},
      {"<a v=\"a\tb\"></a>", "root()[a(v=ab)]"},
      {"<a x=\"1\"y=\"2\"></a>", "root()[a(x=1,y=2)]"},
      {"<a x=\"1\"   ></a>", "root()[a(x=1)]"},
      {"<a v=\"\" w=\"<=> \"></a>", "root()[a(v=,w=<=> )]"},
      {"<a x=\"1\" x=\"2\"></a>", "root()[a(x=1,x=2)]"},
      {"<a></a>\n<b></b>", "root()[a(),b()]"},
      // after the top-level elements, a word or a stray close tag ends the document quietly
      {"<a></a>junk<b></b>", "root()[a()]"},
      {"<a></a></x><b></b>", "root()[a()]"},
      // a line break straight before an attribute runs the element name on to the next blank
      {"<a\nx=\"1\"></ax=\"1\">", "root()[ax=\"1\"()]"},
      // a self-closing tag is an element named with the slash
      {"<a/></a/>", "root()[a/()]"},
      // the five predefined entities in values; anything else after & stays as it is
      {"<a v=\"&amp;&lt;&gt;&quot;&apos;\" w=\"R&amp;D &copy; &\"></a>", "root()[a(v=&<>\"',w=R&D &copy; &)]"},
      // element texts take no entities
      {"<a>&amp;</a>", "root()[a()\"&amp;\"]"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseToDump(c.text), c.tree) << c.text;
}

TEST(XMLParser, RefusesBrokenTextWithExactMessages) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"<a></a> ", "XMLNode not found"},  // a blank after the last element
      {"  \n", "XMLNode not found"},
      {"<", "XMLNode not found"},
      {"<ab", "XMLNode not found"},
      {"< a></a>", "XMLNode name not found"},
      {"<></>", "XMLNode name not found"},
      {"<a x", "XMLAttribute not found"},
      {"<a x=", "XMLAttribute not found"},
      {"<a x=\"1", "XMLAttribute not found"},
      {"<a x=\"1\"", "XMLAttribute not found"},
      {"<a x=\"1\" ", "XMLAttribute not found"},
      {"<a >", "XMLAttribute not found"},
      {"<a x = \"1\"></a>", "XMLAttribute start \" symbol not found"},
      {"<a x=1></a>", "XMLAttribute start \" symbol not found"},
      {"<a>", "Value not found"},
      {"<a>text", "Value not found"},
      {"<a><b></b>", "Value not found"},
      {"<a></a", "CloseTag not found"},
      {"<a></", "CloseTag not found"},
      {"<a></b>", "CloseTag not found"},
      {"<a></a >", "CloseTag not found"},
      {"<a>hello<b></b></a>", "CloseTag symbol '/' not found"},
      {"<?xml version=\"1.0\"<a></a>", "XML declaration end \"?>\" not found"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseError(c.text), c.message) << c.text;
}

TEST(XMLParser, BoundsNestingDepth) {
  const auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<e>";
    for (int i = 0; i < depth; ++i) text += "</e>";
    return text;
  };
  EXPECT_NO_THROW(XMLParser(nested(XMLParser::kMaxNestingDepth)));
  EXPECT_EQ(ParseError(nested(XMLParser::kMaxNestingDepth + 1)), "XMLNode nesting too deep");
  EXPECT_EQ(ParseError(std::string(100000, '<')), "XMLNode not found");
  EXPECT_EQ(ParseError(nested(100000)), "XMLNode nesting too deep");
}

// Only the prefixes that end where a whole part of the document ends parse; every other one raises
// a parse error. Under AddressSanitizer this also shows that no prefix is read past its end.
TEST(XMLParser, EveryPrefixParsesOrRaises) {
  const std::string users =
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<Users>\r\n  <U Name=\"a&amp;b\" Score=\"5\">\r\n"
      "    <Pos X=\"1\" Y=\"0.5\"></Pos>\r\n  </U>\r\n</Users>";
  const std::string twoRoots = "<a x=\"1\"y=\"2\">\n  <b></b>\n  text </a><c></c>";
  const struct {
    const std::string& document;
    std::map<std::size_t, std::string> parsed;  // by the prefix's length
  } cases[] = {
      {users,
       {{0, "root()"},
        {users.find("\r\n<Users>"), "root()"},  // the declaration alone
        {users.size(), "root()[Users()[U(Name=a&b,Score=5)[Pos(X=1,Y=0.5)]]]"}}},
      {twoRoots,
       {{0, "root()"},
        {twoRoots.find("<c>"), "root()[a(x=1,y=2)[b()]\"text \"]"},
        {twoRoots.size(), "root()[a(x=1,y=2)[b()]\"text \",c()]"}}},
  };
  for (const auto& c : cases) {
    for (std::size_t length = 0; length <= c.document.size(); ++length) {
      const std::string prefix = c.document.substr(0, length);
      const auto expected = c.parsed.find(length);
      if (expected != c.parsed.end()) {
        EXPECT_EQ(ParseToDump(prefix), expected->second) << prefix;
      } else {
        EXPECT_NE(ParseError(prefix), "(parsed)") << prefix;
      }
    }
  }
}

TEST(XMLTree, LookupsTakeTheLastChildAndTheFirstAttribute) {
  const XMLParser parser("<a k=\"first\" k=\"second\"><b></b><b n=\"2\"></b></a>");
  const auto a = parser.GetRoot()->Children.at(0);
  EXPECT_EQ(Dump(*SCore::SXML::FindChild(a, "b")), "b(n=2)");
  EXPECT_FALSE(SCore::SXML::FindChild(a, "c"));
  EXPECT_FALSE(SCore::SXML::FindChild(parser.GetRoot(), "b"));  // direct children only
  EXPECT_EQ(SCore::SXML::GetAttribute(a, "k")->GetValue(), "first");
  boost::shared_ptr<SCore::SXML::XMLAttribute> kept = SCore::SXML::GetAttribute(a, "k");
  EXPECT_FALSE(SCore::SXML::FindAttribute(a, "X", kept));
  EXPECT_EQ(kept->GetValue(), "first");
  try {
    SCore::SXML::GetAttribute(a, "X");
    ADD_FAILURE();
  } catch (const SCore::KorvexCoreException& error) {
    EXPECT_STREQ(error.what(), "Attribute:X not found");
  }
  EXPECT_EQ(a->Parent.lock(), parser.GetRoot());
  EXPECT_EQ(a->Children.at(0)->Parent.lock(), a);
}

TEST(XMLTree, WriteNodeIndentsByDepth) {
  const XMLParser parser("<a x=\"1\"><b></b><c><d></d></c></a><e>text</e>");
  std::ostringstream out;
  SCore::SXML::WriteNode(out, *parser.GetRoot()->Children.at(0));
  EXPECT_EQ(out.str(), "<a x=\"1\">\n  <b></b>\n  <c>\n    <d></d>\n  </c>\n</a>");
  std::ostringstream single;
  SCore::SXML::WriteNode(single, *parser.GetRoot()->Children.at(1));
  EXPECT_EQ(single.str(), "<e>text</e>");
  // the indentation starts afresh for every tree
  std::ostringstream again;
  SCore::SXML::WriteNode(again, *parser.GetRoot()->Children.at(0));
  EXPECT_EQ(again.str(), out.str());
}

TEST(XMLTree, EscapedValuesReadBackExactly) {
  const auto element = boost::make_shared<XMLNode>("u");
  const std::string value = "Bob \"the <&> builder\" &amp; 'co'";
  element->Attributes.push_back(boost::make_shared<SCore::SXML::XMLAttribute>("Name", value, element));
  std::ostringstream out;
  SCore::SXML::WriteNode(out, *element);
  EXPECT_EQ(out.str(), "<u Name=\"Bob &quot;the &lt;&amp;&gt; builder&quot; &amp;amp; 'co'\"></u>");
  EXPECT_EQ(SCore::SXML::GetAttribute(XMLParser(out.str()).GetRoot()->Children.at(0), "Name")->GetValue(), value);
}
