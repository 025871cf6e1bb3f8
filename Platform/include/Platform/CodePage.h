// Narrow text in a Windows ANSI code page, chosen by a Windows locale name ("Russian" is
// windows-1251), converted to and from wide text through iconv. The process locale stays "C", so
// numbers keep one form whatever code page the text uses.
#pragma once

#include <string>

namespace Platform {

class CodePage {
 public:
  // Raises std::runtime_error for a locale name that names no known language or code page.
  explicit CodePage(const std::string& localeName);

  const std::string& LocaleName() const { return m_localeName; }
  // The iconv name of the code page, for example "CP1251".
  const std::string& Encoding() const { return m_encoding; }

  // Each answers false, leaving out untouched, when some character has no form on the other side.
  bool ToWide(const std::string& narrow, std::wstring& out) const;
  bool ToNarrow(const std::wstring& wide, std::string& out) const;

  // The code page of a Windows locale name: "Russian", "Russian_Russia.1251", ".1251", "ru-RU",
  // "English", "C"... Answers an empty text for a name it does not know.
  static std::string EncodingForLocale(const std::string& localeName);

 private:
  std::string m_localeName;
  std::string m_encoding;
};

}  // namespace Platform
