#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SInputMessager.h"
#include "VGComics.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Vellgrove {

// Which comics follows which level, read from "Levels\comics.xml".
class VGComicsPack : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  explicit VGComicsPack(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager);
  ~VGComicsPack() override;

  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoDeserialize(SCore::SDeserializator&, unsigned int) override {}
  // Adds the file's entries to those already held.
  void DoDeserialize(SCore::SDeserializator& deserializator) override;
  void AddComics(const std::wstring& path, const std::string& levelName);
  // The first entry's comics for the level, read now; empty when the level has none.
  boost::shared_ptr<VGComics> GetComics(const std::string& levelName);

  size_t GetCount() const { return m_entries.size(); }

 private:
  struct Entry {
    std::string LevelName;
    std::wstring ComicsPath;
  };

  std::vector<Entry> m_entries;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
};

}  // namespace Vellgrove
