#include "GameGlobals.h"

namespace Vellgrove {

std::string g_Locale;
std::wstring g_FontPath;
std::string g_FontName;
float g_FontCharsH = 0.0f;
float g_FontCharsW = 0.0f;
SCore::SRect g_FontIndent;
std::wstring g_StringsPath;
std::wstring g_TrophiesPath;
float g_MenuIfThisWidth = 0.0f;
float g_MenuIfThisTexWidth = 0.0f;

}  // namespace Vellgrove
