// What the game's tests share: failures compared without line numbers (from the engine's render
// tests, whose device fixture the game's drawing tests use too), wide paths of fixtures,
// and the configuration globals put back after a test changes them.
#pragma once

#include "GameGlobals.h"
#include "RenderTestSupport.h"

#include "Platform/NativePath.h"

#include <string>

namespace GameTest {

using RenderTest::FailureOf;

inline std::wstring Wide(const std::string& path) { return Platform::Utf8ToWide(path); }

// Keeps the localisation globals of the process as they were before the test.
class GlobalsRestorer {
 public:
  GlobalsRestorer()
      : m_locale(Vellgrove::g_Locale),
        m_fontPath(Vellgrove::g_FontPath),
        m_fontName(Vellgrove::g_FontName),
        m_charsH(Vellgrove::g_FontCharsH),
        m_charsW(Vellgrove::g_FontCharsW),
        m_indent(Vellgrove::g_FontIndent),
        m_stringsPath(Vellgrove::g_StringsPath),
        m_trophiesPath(Vellgrove::g_TrophiesPath),
        m_ifThisWidth(Vellgrove::g_MenuIfThisWidth),
        m_ifThisTexWidth(Vellgrove::g_MenuIfThisTexWidth) {}
  ~GlobalsRestorer() {
    Vellgrove::g_Locale = m_locale;
    Vellgrove::g_FontPath = m_fontPath;
    Vellgrove::g_FontName = m_fontName;
    Vellgrove::g_FontCharsH = m_charsH;
    Vellgrove::g_FontCharsW = m_charsW;
    Vellgrove::g_FontIndent = m_indent;
    Vellgrove::g_StringsPath = m_stringsPath;
    Vellgrove::g_TrophiesPath = m_trophiesPath;
    Vellgrove::g_MenuIfThisWidth = m_ifThisWidth;
    Vellgrove::g_MenuIfThisTexWidth = m_ifThisTexWidth;
  }
  GlobalsRestorer(const GlobalsRestorer&) = delete;
  GlobalsRestorer& operator=(const GlobalsRestorer&) = delete;

 private:
  std::string m_locale;
  std::wstring m_fontPath;
  std::string m_fontName;
  float m_charsH;
  float m_charsW;
  SCore::SRect m_indent;
  std::wstring m_stringsPath;
  std::wstring m_trophiesPath;
  float m_ifThisWidth;
  float m_ifThisTexWidth;
};

}  // namespace GameTest
