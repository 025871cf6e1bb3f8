#pragma once

#include "FaultList.h"
#include "LineFinder.h"

#include "SDeserializator.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace DataCheck {

// One data file, read and parsed by the game's own reader of its dialect, with its text kept to
// place faults on lines.
class DataFile {
 public:
  // The engine's own dialect, or the TinyXML files (strings, trophies, trainer scripts).
  enum class Dialect { Engine, TinyXml };

  // Raises whatever the game's reader raises for this file.
  DataFile(const std::string& written, std::string displayPath, Dialect dialect);

  SCore::SDeserializator& Reader() { return *m_reader; }
  const std::string& Written() const { return m_written; }
  Location At(int line) const { return {m_displayPath, line}; }
  // At the next ` attribute="value"` of the file.
  Location AtAttribute(const std::string& attribute, const std::string& value);

 private:
  std::string m_written;
  std::string m_displayPath;
  LineFinder m_lines;
  boost::shared_ptr<SCore::SDeserializator> m_reader;
};

}  // namespace DataCheck
