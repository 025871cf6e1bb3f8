#include "srethrow.h"

#include <boost/lexical_cast.hpp>

namespace SCore {

std::string ComposeRethrowMessage(const char* caught, const char* context, const char* sourcePath, int line) {
  std::string message(caught);
  message += " ";
  message += context;
  message += " ";
  message += sourcePath;
  message += " at:";
  message += boost::lexical_cast<std::string>(line);
  return message;
}

void RethrowWithContext(const KorvexCoreException& caught, const char* context, const char* sourcePath, int line) {
  throw KorvexCoreException(ComposeRethrowMessage(caught.what(), context, sourcePath, line).c_str());
}

}  // namespace SCore
