#include "VGBackGround.h"

#include "DrawAsIs.h"
#include "SDeserializator.h"
#include "SSerializator.h"
#include "VGSpriteCreator.h"
#include "srethrow.h"

#include "Platform/MMSystem.h"

namespace Vellgrove {

namespace {

const char* const kSource = "..\\Src\\VGBackground";

}  // namespace

VGBackGround::VGBackGround() : m_startTime(timeGetTime()) {}

void VGBackGround::DoSerialize(SCore::SSerializator& writer) {
  KORVEX_TRY
    writer.DoBeginChild("BackGround");
    for (const Item& item : m_items) {
      writer.DoBeginChild("Item");
      if (item.Delay != 0) writer.DoSerialize("TimeDelay", item.Delay);
      item.Sprite->DoSerialize(writer);
      writer.DoEndChild();
    }
    writer.DoEndChild();
  KORVEX_RETHROW("VGBackGround::DoSerialize()", kSource)
}

void VGBackGround::DoDeserialize(SCore::SDeserializator&, unsigned int) {}

void VGBackGround::DoDeserialize(SCore::SDeserializator& reader) {
  KORVEX_TRY
    reader.DoBeginChild("BackGround");
    const unsigned int count = reader.DoGetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
      reader.DoBeginChild(i);
      unsigned int delay = 0;
      if (reader.DoIsAvialableName("TimeDelay")) reader.DoDeserialize("TimeDelay", delay);
      const boost::shared_ptr<KorvexEngine::SSprite> sprite = VGSpriteCreator::CreateSprite(0);
      sprite->DoDeserialize(reader);
      AddItem(sprite, delay);
      reader.DoEndChild();
    }
    reader.DoEndChild();
  KORVEX_RETHROW("VGBackGround::DoDeserialize()", kSource)
}

void VGBackGround::AddItem(const boost::shared_ptr<KorvexEngine::SSprite>& sprite, unsigned int delay) {
  m_items.push_back(Item{delay, sprite});
}

void VGBackGround::Render(const SCore::SVector3& scroll) {
  KORVEX_TRY
    const unsigned int seconds = (timeGetTime() - m_startTime) / 1000;
    for (const Item& item : m_items) {
      if (item.Delay >= seconds) continue;
      KorvexEngine::SSprite& sprite = *item.Sprite;
      const SCore::SRect kept = sprite.Position;
      sprite.SetPosition(kept.X + scroll.X, kept.Y + scroll.Y);
      DrawAsIs(sprite);
      sprite.SetPosition(kept.X, kept.Y);
      sprite.SetSize(kept.Width, kept.Height);
    }
  KORVEX_RETHROW("VGBackGround::Render()", kSource)
}

}  // namespace Vellgrove
