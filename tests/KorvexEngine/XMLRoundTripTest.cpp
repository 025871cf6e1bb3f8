#include "SRecordFields.h"
#include "STinyXMLDeserializator.h"
#include "SValueText.h"
#include "SXMLDeserializator.h"
#include "SXMLSerializator.h"
#include "TempFolder.h"
#include "XMLTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <functional>
#include <locale>

using SCore::SDeserializator;
using SCore::SSerializator;
using XMLTestSupport::Wide;

namespace {

// "X=1 Y=0.5 Z=-2.25": a record's fields by name, so that a mismatch shows which field differs.
template <typename Record>
std::string Fields(Record record) {
  std::string text;
  SCore::ForEachField(record, [&text](const char* name, const auto& field) {
    text += std::string(name) + "=" + SCore::ValueToText(field) + " ";
  });
  return text;
}
std::string Fields(const std::string& text) { return text; }
std::string Fields(const std::wstring& text) { return Platform::WideToUtf8(text); }
template <typename Number>
std::string FieldsOfNumber(Number value) {
  return SCore::ValueToText(value);
}
std::string Fields(bool value) { return FieldsOfNumber(value); }
std::string Fields(short value) { return FieldsOfNumber(value); }
std::string Fields(unsigned short value) { return FieldsOfNumber(value); }
std::string Fields(int value) { return FieldsOfNumber(value); }
std::string Fields(unsigned int value) { return FieldsOfNumber(value); }
std::string Fields(float value) { return FieldsOfNumber(value); }
std::string Fields(double value) { return FieldsOfNumber(value); }

struct Entry {
  std::string name;
  std::function<void(SSerializator&)> write;
  // The value as the reader gives it back, in the form of Fields.
  std::function<std::string(SDeserializator&)> read;
  std::string expected;
};

template <typename Value>
Entry Make(const std::string& name, const Value& value) {
  return {name, [name, value](SSerializator& writer) { writer.DoSerialize(name, value); },
          [name](SDeserializator& reader) {
            Value read{};
            reader.DoDeserialize(name, read);
            return Fields(read);
          },
          Fields(value)};
}

SCore::SMatrix Counting() {
  SCore::SMatrix matrix;
  float next = 1.0f;
  SCore::ForEachField(matrix, [&next](const char*, float& field) { field = next++ / 8.0f; });
  return matrix;
}

std::vector<Entry> Table() {
  SCore::STextureFiltration filtration;
  filtration.IsBilinear = false;
  filtration.IsAnisotropic = true;
  return {
      Make("True", true),
      Make("False", false),
      Make("ShortMin", static_cast<short>(SHRT_MIN)),
      Make("ShortMax", static_cast<short>(SHRT_MAX)),
      Make("UShortMax", static_cast<unsigned short>(USHRT_MAX)),
      Make("IntMin", INT_MIN),
      Make("IntMax", INT_MAX),
      Make("UIntMax", UINT_MAX),
      Make("FloatTenth", 0.1f),
      Make("FloatMax", FLT_MAX),
      Make("FloatTiniest", FLT_TRUE_MIN),
      Make("FloatNegative", -123456.789f),
      Make("DoubleTenth", 0.1),
      Make("DoubleMax", DBL_MAX),
      Make("DoubleThird", -1.0 / 3.0),
      Make("Text", std::string("  a \"quoted\" <tag> & 'apostrophe' =  ")),
      Make("EmptyText", std::string()),
      Make("WideText", std::wstring(L"Player One")),
      Make("Vector3", SCore::SVector3{1.0f, 0.5f, -2.25f}),
      Make("Vector4", SCore::SVector4{1e-5f, 2.0f, 3.0f, 1e30f}),
      Make("Matrix", Counting()),
      Make("Rect", SCore::SRect{0.25f, 0.75f, 0.5f, 0.125f}),
      Make("Box", SCore::SAABBox{-1.0f, -2.0f, -3.0f, 1.0f, 2.0f, 3.0f}),
      Make("Sphere", SCore::SSphere{1.0f, 2.0f, 3.0f, 0.1f}),
      Make("Transform", SCore::STransformData{{1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}, Counting()}),
      Make("TextureParameters", SCore::STextureParameters{1u, 2u, 21u, 0xFFFFFFFFu, 4u, 5u}),
      Make("TextureFiltration", filtration),
  };
}

class XMLRoundTrip : public ::testing::Test {
 protected:
  // Writes the table into one element, flushes it, and answers each reader's view of every entry.
  void ExpectBothReadersGiveBackTheTable() {
    const std::vector<Entry> table = Table();
    SCore::SXMLSerializator writer(Wide(m_file), "Russian");
    writer.SetHeader("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n");
    writer.DoBeginChild("Values");
    for (const Entry& entry : table) entry.write(writer);
    writer.DoEndChild();
    writer.DoFlush();

    SCore::SXMLDeserializator engine(Wide(m_file));
    SCore::STinyXMLDeserializator tiny(Wide(m_file), "Russian");
    for (SDeserializator* reader : {static_cast<SDeserializator*>(&engine), static_cast<SDeserializator*>(&tiny)}) {
      reader->DoBeginChild("Values");
      for (const Entry& entry : table) EXPECT_EQ(entry.read(*reader), entry.expected) << entry.name;
      EXPECT_EQ(reader->DoGetChildCount(), 9u);
      EXPECT_EQ(reader->GetNodeName(), "Values");
    }
  }

  TestSupport::TempFolder m_folder;
  const std::string m_file = m_folder / "values.xml";
};

// A numeric facet that writes "1.234,5", as a German process locale would.
class CommaNumbers : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

}  // namespace

TEST_F(XMLRoundTrip, EveryValueKindReadsBackFromBothReaders) { ExpectBothReadersGiveBackTheTable(); }

TEST_F(XMLRoundTrip, NumbersDoNotDependOnTheProcessLocale) {
  const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
  ExpectBothReadersGiveBackTheTable();
  EXPECT_EQ(TestSupport::ReadBytes(m_file).find("1,"), std::string::npos);
  std::locale::global(saved);
}

// The wide texts travel through "Russian" on the way out; the engine reader widens byte by byte
// (each byte as the character of the same value), the TinyXML reader through its locale.
TEST_F(XMLRoundTrip, ReadersWidenNonAsciiTextDifferently) {
  SCore::SXMLSerializator writer(Wide(m_file), "Russian");
  writer.DoBeginChild("U");
  writer.DoSerialize("Name", std::wstring(L"\u0410\u044f"));
  writer.DoEndChild();
  writer.DoFlush();
  std::wstring engineName;
  std::wstring tinyName;
  SCore::SXMLDeserializator engine(Wide(m_file));
  engine.DoBeginChild("U");
  engine.DoDeserialize("Name", engineName);
  SCore::STinyXMLDeserializator tiny(Wide(m_file), "Russian");
  tiny.DoBeginChild("U");
  tiny.DoDeserialize("Name", tinyName);
  EXPECT_EQ(engineName, L"\u00c0\u00ff");
  EXPECT_EQ(tinyName, L"\u0410\u044f");
}
