// Writes a document with the XML writer and reads it back with each of the two readers.
#pragma once

#include "STinyXMLDeserializator.h"
#include "SXMLDeserializator.h"
#include "SXMLSerializator.h"
#include "TempFolder.h"
#include "XMLTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace XMLTestSupport {

class DocumentRoundTrip {
 public:
  // The writer starts at the top of an empty document.
  void Write(const std::function<void(SCore::SSerializator&)>& write) {
    SCore::SXMLSerializator writer(Wide(m_file), "Russian");
    write(writer);
    writer.DoFlush();
  }

  // The same reading runs once on each reader, each at the top of the document.
  void ReadWithBoth(const std::function<void(SCore::SDeserializator&)>& read) {
    SCore::SXMLDeserializator engine(Wide(m_file));
    SCore::STinyXMLDeserializator tiny(Wide(m_file), "Russian");
    for (SCore::SDeserializator* reader : {static_cast<SCore::SDeserializator*>(&engine),
                                           static_cast<SCore::SDeserializator*>(&tiny)}) {
      SCOPED_TRACE(reader == &engine ? "engine reader" : "TinyXML reader");
      read(*reader);
    }
  }

 private:
  TestSupport::TempFolder m_folder;
  const std::string m_file = m_folder / "document.xml";
};

}  // namespace XMLTestSupport
