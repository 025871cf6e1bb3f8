#pragma once

#include "STinyXMLDeserializator.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Vellgrove {

// A TinyXML reader that has loaded the file and widens texts through g_Locale.
boost::shared_ptr<SCore::STinyXMLDeserializator> CreateTinyXMLDeserializator(const std::wstring& path);
// An empty TinyXML reader with g_Locale, for the caller to parse text into.
boost::shared_ptr<SCore::STinyXMLDeserializator> CreateTinyXMLDeserializator();

}  // namespace Vellgrove
