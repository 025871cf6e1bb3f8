#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SSprite.h"
#include "SVector3.h"

#include <boost/shared_ptr.hpp>

#include <list>

namespace Vellgrove {

// A level's backdrop: screen sprites that appear one after another, each once its delay in whole
// seconds has passed since the level was read, and scroll with the level.
class VGBackGround : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  struct Item {
    unsigned int Delay;
    boost::shared_ptr<KorvexEngine::SSprite> Sprite;
  };

  VGBackGround();

  void DoSerialize(SCore::SSerializator& writer) override;
  void DoDeserialize(SCore::SDeserializator& reader, unsigned int index) override;
  // Reads the "BackGround" child of the reader's current element.
  void DoDeserialize(SCore::SDeserializator& reader) override;

  void AddItem(const boost::shared_ptr<KorvexEngine::SSprite>& sprite, unsigned int delay);
  // Draws every item whose delay has passed, moved by the scroll offset; the items keep their places.
  void Render(const SCore::SVector3& scroll);

  const std::list<Item>& GetItems() const { return m_items; }

 private:
  std::list<Item> m_items;
  unsigned int m_startTime;
};

}  // namespace Vellgrove
