#pragma once

#include "SDeserializator.h"

#include <functional>
#include <string>
#include <vector>

namespace DataCheck {

// Runs the action in each child of the reader's current element in turn, as the game's readers
// walk their lists.
void ForEachChild(SCore::SDeserializator& reader, const std::function<void()>& action);
// Runs the action in the child of that name; the reader's failure when there is none.
void Within(SCore::SDeserializator& reader, const std::string& child, const std::function<void()>& action);

// The value of a required attribute of the current element.
std::string Attribute(SCore::SDeserializator& reader, const std::string& name);

struct AttributeUse {
  std::string attribute;
  std::string value;
};

// Every value of the named attributes on the elements below the reader's current one, in
// document order. The reader ends where it started.
std::vector<AttributeUse> CollectAttributes(SCore::SDeserializator& reader, const std::vector<std::string>& names);

}  // namespace DataCheck
