#include "Platform/CodePage.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <map>
#include <stdexcept>
#include <vector>

namespace Platform {

namespace {

// The ANSI code page of each language, by the names Windows accepts for it: the English name,
// the three-letter abbreviation and the ISO 639 code.
const std::map<std::string, int>& LanguageCodePages() {
  static const std::map<std::string, int> table = [] {
    const struct {
      int codePage;
      std::vector<const char*> names;
    } groups[] = {
        {1251, {"russian", "rus", "ru", "ukrainian", "ukr", "uk", "belarusian", "bel", "be", "bulgarian", "bgr", "bg",
                "macedonian", "mki", "mk", "kazakh", "kkz", "kk"}},
        {1250, {"polish", "plk", "pl", "czech", "csy", "cs", "slovak", "sky", "sk", "hungarian", "hun", "hu",
                "slovenian", "slv", "sl", "croatian", "hrv", "hr", "romanian", "rom", "ro", "albanian", "sqi", "sq"}},
        {1252, {"english", "enu", "eng", "en", "american", "british", "german", "deu", "de", "french", "fra", "fr",
                "spanish", "esp", "es", "italian", "ita", "it", "portuguese", "ptb", "ptg", "pt", "dutch", "nld",
                "nl", "swedish", "sve", "sv", "norwegian", "nor", "no", "nb", "danish", "dan", "da", "finnish",
                "fin", "fi", "icelandic", "isl", "is", "catalan", "cat", "ca", "basque", "euq", "eu", "galician",
                "glc", "gl", "indonesian", "ind", "id", "malay", "msl", "ms"}},
        {1253, {"greek", "ell", "el"}},
        {1254, {"turkish", "trk", "tr"}},
        {1255, {"hebrew", "heb", "he"}},
        {1256, {"arabic", "ara", "ar", "farsi", "persian", "far", "fa", "urdu", "urd", "ur"}},
        {1257, {"lithuanian", "lth", "lt", "latvian", "lvi", "lv", "estonian", "eti", "et"}},
        {1258, {"vietnamese", "vit", "vi"}},
        {932, {"japanese", "jpn", "ja"}},
        {936, {"chinese", "chs", "zh"}},
        {949, {"korean", "kor", "ko"}},
        {874, {"thai", "tha", "th"}},
    };
    std::map<std::string, int> byName;
    for (const auto& group : groups) {
      for (const char* name : group.names) byName[name] = group.codePage;
    }
    return byName;
  }();
  return table;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Converts the bytes of in from one iconv encoding to another; false when some character has no
// form in the target or the input is malformed.
bool Convert(const char* from, const char* to, const char* data, std::size_t size, std::vector<char>& out) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  out.assign(size * 4 + 16, '\0');
  char* in = const_cast<char*>(data);
  std::size_t inLeft = size;
  std::size_t written = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* outPos = out.data() + written;
    std::size_t outLeft = out.size() - written;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPos, &outLeft);
    written = out.size() - outLeft;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) {
      ok = false;
      break;
    }
    out.resize(out.size() * 2);
  }
  iconv_close(converter);
  out.resize(written);
  return ok;
}

}  // namespace

std::string CodePage::EncodingForLocale(const std::string& localeName) {
  const std::string name = Lower(localeName);
  if (name.empty() || name == "c" || name == "posix") return "ISO-8859-1";
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) {
    const std::string page = name.substr(dot + 1);
    if (AllDigits(page)) return "CP" + page;
    if (page == "utf8" || page == "utf-8") return "UTF-8";
  }
  const std::string language = name.substr(0, name.find_first_of("_-."));
  const auto found = LanguageCodePages().find(language);
  if (found == LanguageCodePages().end()) return std::string();
  return "CP" + std::to_string(found->second);
}

CodePage::CodePage(const std::string& localeName)
    : m_localeName(localeName), m_encoding(EncodingForLocale(localeName)) {
  iconv_t probe = m_encoding.empty() ? reinterpret_cast<iconv_t>(-1) : iconv_open("WCHAR_T", m_encoding.c_str());
  if (probe == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("locale::facet::_S_create_c_locale name not valid: " + localeName);
  }
  iconv_close(probe);
}

bool CodePage::ToWide(const std::string& narrow, std::wstring& out) const {
  std::vector<char> bytes;
  if (!Convert(m_encoding.c_str(), "WCHAR_T", narrow.data(), narrow.size(), bytes)) return false;
  out.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  return true;
}

bool CodePage::ToNarrow(const std::wstring& wide, std::string& out) const {
  std::vector<char> bytes;
  if (!Convert("WCHAR_T", m_encoding.c_str(), reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t),
               bytes)) {
    return false;
  }
  out.assign(bytes.begin(), bytes.end());
  return true;
}

}  // namespace Platform
