#include "SXMLSerializator.h"
#include "TempFolder.h"
#include "XMLTestSupport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cfloat>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <thread>

using SCore::KorvexCoreException;
using SCore::SXMLSerializator;
using XMLTestSupport::FailureOf;
using XMLTestSupport::StartsWith;
using XMLTestSupport::Wide;

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n";

std::string Golden(const std::string& name) { return TestSupport::ReadBytes(XMLTestSupport::GoldenPath(name)); }

class XMLWriter : public ::testing::Test {
 protected:
  std::string FileNames() const {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
      names += entry.path().filename().string() + " ";
    }
    return names;
  }

  TestSupport::TempFolder m_folder;
  const std::string m_file = m_folder / "users.xml";
};

}  // namespace

TEST_F(XMLWriter, WritesIndentedElementsAfterTheHeader) {
  SXMLSerializator writer(Wide(m_file), "Russian");
  writer.SetHeader(kDeclaration);
  writer.DoBeginChild("Users");
  writer.DoSerialize("Count", 2);
  writer.DoBeginChild("Userprofiles");
  writer.DoBeginChild("Userprofile");
  writer.DoSerialize("Name", "Ann");
  writer.DoSerialize("Position", SCore::SVector3{1.0f, 0.5f, -2.25f});
  writer.DoEndChild();
  writer.DoBeginChild("Userprofile");
  writer.DoSerialize("Name", std::wstring(L"Bob & \"Co\" <3>"));
  writer.DoEndChild();
  writer.DoEndChild();
  writer.DoBeginChild("Empty");
  writer.DoEndChild();
  writer.DoEndChild();
  writer.DoBeginChild("Settings");
  writer.DoSerialize("FullScreen", true);
  writer.DoEndChild();
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_file), Golden("writer-layout.xml"));
}

TEST_F(XMLWriter, WritesNumbersInTheirShortestExactForms) {
  SXMLSerializator writer(Wide(m_file), "Russian");
  writer.DoBeginChild("Numbers");
  writer.DoSerialize("True", true);
  writer.DoSerialize("False", false);
  writer.DoSerialize("ShortMin", static_cast<short>(-32768));
  writer.DoSerialize("ShortMax", static_cast<short>(32767));
  writer.DoSerialize("UShortMax", static_cast<unsigned short>(65535));
  writer.DoSerialize("IntMin", INT32_MIN);
  writer.DoSerialize("UIntMax", 4294967295u);
  const struct {
    const char* name;
    float value;
  } floats[] = {{"FloatOne", 1.0f},           {"FloatHalf", 0.5f},       {"FloatTenth", 0.1f},
                {"FloatBig", 123456789.0f},   {"FloatHundredThousand", 100000.0f},
                {"FloatSmall", 1e-5f},        {"FloatNegative", -2.25f}, {"FloatHuge", FLT_MAX}};
  for (const auto& entry : floats) writer.DoSerialize(entry.name, entry.value);
  writer.DoSerialize("DoubleTenth", 0.1);
  writer.DoSerialize("DoubleThird", 1.0 / 3.0);
  writer.DoSerialize("DoubleHuge", 1e300);
  SCore::SMatrix translation;
  translation.f11 = translation.f22 = translation.f33 = translation.f44 = 1.0f;
  translation.f41 = 5.0f;
  translation.f42 = 6.0f;
  translation.f43 = 7.0f;
  writer.DoSerialize("Matrix", translation);
  SCore::STransformData transform;
  transform.Size = {1.0f, 2.0f, 3.0f};
  transform.Position = {4.0f, 5.0f, 6.0f};
  transform.Rotation.f11 = 0.25f;
  writer.DoSerialize("Transform", transform);
  writer.DoEndChild();
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_file), Golden("writer-numbers.xml"));
}

TEST_F(XMLWriter, NarrowsWideTextToTheRussianCodePage) {
  SXMLSerializator writer(Wide(m_file), "Russian");
  writer.SetHeader(kDeclaration);
  writer.DoBeginChild("Userprofile");
  writer.DoSerialize("Name", std::wstring(L"\u0410\u043d\u043d\u0430 \u0451\u0436"));
  writer.DoSerialize("Latin", std::wstring(L"Ann"));
  writer.DoSerialize("Euro", std::wstring(L"\u20ac"));
  writer.DoEndChild();
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_file), Golden("writer-russian.xml"));
}

TEST_F(XMLWriter, UnrepresentableTextRaisesAndAddsNothing) {
  SXMLSerializator writer(Wide(m_file), "Russian");
  writer.DoBeginChild("U");
  const std::string message = FailureOf([&] { writer.DoSerialize("Name", std::wstring(L"caf\u00e9")); });
  EXPECT_EQ(message.rfind("Cannot convert wstring to string. Locale: Russian SXMLSerializator::DoSerialize "
                          ".\\Src\\SXMLSerializator at:",
                          0),
            0u)
      << message;
  writer.DoEndChild();
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_file), "<U></U>");
  EXPECT_THROW(SXMLSerializator(Wide(m_file), "Klingon"), std::runtime_error);
}

TEST_F(XMLWriter, CloneNarrowsWithRussianWhateverItsParentUses) {
  SXMLSerializator english(Wide(m_file), "English");
  EXPECT_NE(FailureOf([&] { english.DoSerialize("Name", std::wstring(L"\u0410")); }), "(no failure)");
  const auto clone = english.DoClone(Wide(m_folder / "clone.xml"));
  clone->DoBeginChild("U");
  clone->DoSerialize("Name", std::wstring(L"\u0410"));
  clone->DoEndChild();
  clone->DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_folder / "clone.xml"), "<U Name=\"\xc0\"></U>");
}

TEST_F(XMLWriter, FlushesOnlyWhenAsked) {
  m_folder.Write("users.xml", "old");
  {
    SXMLSerializator writer(Wide(m_file), "Russian");
    writer.DoBeginChild("Lost");
    writer.DoEndChild();
  }
  EXPECT_EQ(TestSupport::ReadBytes(m_file), "old");

  SXMLSerializator writer(Wide(m_file), "Russian");
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_file), "");
  writer.SetHeader(kDeclaration);
  const std::string next = m_folder / "next.xml";
  writer.DoOpenDataSource(Wide(next));
  EXPECT_EQ(TestSupport::ReadBytes(m_file), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n");
  writer.DoBeginChild("A");
  writer.DoEndChild();
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(next), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<A></A>");
  EXPECT_EQ(TestSupport::ReadBytes(m_file), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n");
}

TEST_F(XMLWriter, EndChildAtTheTopLevelRaisesAndStaysThere) {
  SXMLSerializator writer(Wide(m_file), "Russian");
  const std::string message = FailureOf([&] { writer.DoEndChild(); });
  EXPECT_EQ(message.rfind("Serializator error: DoEndChild at the top level SXMLSerializator::DoEndChild ", 0), 0u)
      << message;
  writer.DoBeginChild("A");
  writer.DoEndChild();
  writer.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_file), "<A></A>");
}

TEST_F(XMLWriter, ReservedKindsRaise) {
  SXMLSerializator writer(Wide(m_file), "Russian");
  SCore::SSerializator& contract = writer;
  EXPECT_EQ(FailureOf([&] { contract.DoSerialize("v", 1.0L); }), "method is not define");
  EXPECT_EQ(FailureOf([&] { contract.DoSerialize("v", 1LL); }), "method is not define");
  EXPECT_EQ(FailureOf([&] { contract.DoSerialize("v", 1ULL); }), "method is not define");
  EXPECT_EQ(FailureOf([&] { contract.DoSerialize("v", 'c'); }), "method is not define");
  EXPECT_EQ(FailureOf([&] { contract.DoSerialize("v", static_cast<unsigned char>(1)); }), "method is not define");
}

TEST_F(XMLWriter, FailedFlushRaisesNamesTheFileAndKeepsTheOldOne) {
  const std::string missingFolder = m_folder / "missing/users.xml";
  SXMLSerializator intoNowhere(Wide(missingFolder), "Russian");
  const std::string message = FailureOf([&] { intoNowhere.DoFlush(); });
  EXPECT_EQ(message.rfind("Cannot write file [" + missingFolder + "]: ", 0), 0u) << message;
  EXPECT_NE(message.find(" SXMLSerializator::DoFlush .\\Src\\SXMLSerializator at:"), std::string::npos);

  std::filesystem::create_directory(m_folder / "folder.xml");
  SXMLSerializator ontoFolder(Wide(m_folder / "folder.xml"), "Russian");
  EXPECT_NE(FailureOf([&] { ontoFolder.DoFlush(); }), "(no failure)");
  EXPECT_TRUE(std::filesystem::is_directory(m_folder / "folder.xml"));
  EXPECT_EQ(FileNames(), "folder.xml ");
}

// A disk that fills up part-way: the file size limit makes the write fail like a full disk does.
TEST_F(XMLWriter, DiskFullPartWayKeepsTheOldFile) {
  const std::string old = "<Users></Users>";
  m_folder.Write("users.xml", old);
  SXMLSerializator writer(Wide(m_file), "Russian");
  writer.DoBeginChild("Users");
  writer.DoSerialize("Padding", std::string(100000, 'x'));
  writer.DoEndChild();

  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string message = FailureOf([&] { writer.DoFlush(); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(message.rfind("Cannot write file [" + m_file + "]: File too large", 0), 0u) << message;
  EXPECT_EQ(TestSupport::ReadBytes(m_file), old);
  EXPECT_EQ(FileNames(), "users.xml ");
  writer.DoFlush();  // the document stayed in memory
  EXPECT_EQ(TestSupport::ReadBytes(m_file).size(), std::string("<Users Padding=\"\"></Users>").size() + 100000);
}

TEST_F(XMLWriter, WritersOnSeveralThreadsIndentIndependently) {
  const auto writeDeep = [this](const std::string& name) {
    for (int round = 0; round < 50; ++round) {
      SXMLSerializator writer(Wide(m_folder / name), "Russian");
      for (int level = 0; level < 20; ++level) writer.DoBeginChild("e");
      for (int level = 0; level < 20; ++level) writer.DoEndChild();
      writer.DoFlush();
    }
  };
  std::thread first(writeDeep, "first.xml");
  std::thread second(writeDeep, "second.xml");
  first.join();
  second.join();
  SXMLSerializator reference(Wide(m_folder / "reference.xml"), "Russian");
  for (int level = 0; level < 20; ++level) reference.DoBeginChild("e");
  for (int level = 0; level < 20; ++level) reference.DoEndChild();
  reference.DoFlush();
  EXPECT_EQ(TestSupport::ReadBytes(m_folder / "first.xml"), TestSupport::ReadBytes(m_folder / "reference.xml"));
  EXPECT_EQ(TestSupport::ReadBytes(m_folder / "second.xml"), TestSupport::ReadBytes(m_folder / "reference.xml"));
}
