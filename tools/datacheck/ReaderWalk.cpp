#include "ReaderWalk.h"

namespace DataCheck {

void ForEachChild(SCore::SDeserializator& reader, const std::function<void()>& action) {
  const unsigned int count = reader.DoGetChildCount();
  for (unsigned int i = 0; i < count; ++i) {
    reader.DoBeginChild(i);
    action();
    reader.DoEndChild();
  }
}

void Within(SCore::SDeserializator& reader, const std::string& child, const std::function<void()>& action) {
  reader.DoBeginChild(child);
  action();
  reader.DoEndChild();
}

std::string Attribute(SCore::SDeserializator& reader, const std::string& name) {
  std::string value;
  reader.DoDeserialize(name, value);
  return value;
}

namespace {

void CollectBelow(SCore::SDeserializator& reader, const std::vector<std::string>& names,
                  std::vector<AttributeUse>& uses) {
  ForEachChild(reader, [&] {
    for (const std::string& name : names) {
      if (reader.DoIsAvialableName(name)) uses.push_back({name, Attribute(reader, name)});
    }
    CollectBelow(reader, names, uses);
  });
}

}  // namespace

std::vector<AttributeUse> CollectAttributes(SCore::SDeserializator& reader, const std::vector<std::string>& names) {
  std::vector<AttributeUse> uses;
  CollectBelow(reader, names, uses);
  return uses;
}

}  // namespace DataCheck
