#include "VGComicsPack.h"

#include "SSerializator.h"
#include "SXMLDeserializator.h"

#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGComicsPack";

}  // namespace

VGComicsPack::VGComicsPack(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager)
    : m_inputMessager(inputMessager) {}

VGComicsPack::~VGComicsPack() = default;

void VGComicsPack::DoSerialize(SCore::SSerializator& writer) {
  KORVEX_TRY
    writer.DoBeginChild("ComicsPack");
    for (const Entry& entry : m_entries) {
      writer.DoBeginChild("Comics");
      writer.DoSerialize("LevelName", entry.LevelName);
      writer.DoSerialize("ComicsPath", entry.ComicsPath);
      writer.DoEndChild();
    }
    writer.DoEndChild();
  KORVEX_RETHROW("VGComicsPack::DoSerialize()", kSource)
}

void VGComicsPack::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("ComicsPack");
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      std::string levelName;
      std::wstring path;
      reader.DoDeserialize("LevelName", levelName);
      reader.DoDeserialize("ComicsPath", path);
      reader.DoEndChild();
      AddComics(path, levelName);
    }
    reader.DoEndChild();
  KORVEX_RETHROW("VGComicsPack::DoDeserialize()", kSource)
}

void VGComicsPack::AddComics(const std::wstring& path, const std::string& levelName) {
  m_entries.push_back({levelName, path});
}

boost::shared_ptr<VGComics> VGComicsPack::GetComics(const std::string& levelName) {
  KORVEX_TRY
    for (const Entry& entry : m_entries) {
      if (entry.LevelName != levelName) continue;
      boost::shared_ptr<VGComics> comics(new VGComics(m_inputMessager));
      SCore::SXMLDeserializator reader(entry.ComicsPath);
      comics->DoDeserialize(reader);
      return comics;
    }
    return boost::shared_ptr<VGComics>();
  KORVEX_RETHROW("VGComicsPack::GetComics()", kSource)
}

}  // namespace Vellgrove
