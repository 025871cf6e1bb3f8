// The localisation and layout values of "config.xml", written once by start-up before any other
// thread exists and only read afterwards.
#pragma once

#include "SRect.h"

#include <string>

namespace Vellgrove {

extern std::string g_Locale;  // Windows locale name of every wide/narrow conversion, e.g. "Russian"
extern std::wstring g_FontPath;
extern std::string g_FontName;
// The glyph grid of the font texture: cells per row and rows of cells.
extern float g_FontCharsH;
extern float g_FontCharsW;
extern SCore::SRect g_FontIndent;
extern std::wstring g_StringsPath;
extern std::wstring g_TrophiesPath;
extern float g_MenuIfThisWidth;
extern float g_MenuIfThisTexWidth;

}  // namespace Vellgrove
