#pragma once

#include <string>

namespace KorvexEngine {
namespace UI {

// An external string that a text box edits in place of its own text. The owner of the string
// keeps it alive as long as the binding exists.
class SUITextBinding {
 public:
  explicit SUITextBinding(std::wstring* text) : m_text(text) {}
  virtual ~SUITextBinding() = default;

  std::wstring* m_text;
};

}  // namespace UI
}  // namespace KorvexEngine
