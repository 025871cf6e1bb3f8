#include "ErrorText.h"

#include <regex>

namespace DataCheck {

std::string ReadableMessage(const std::exception& error) {
  // Each rethrow appends " Context(args) source at:line".
  static const std::regex kRethrowTrail(R"(( [A-Za-z_:~]+(\([^)]*\))? \S+ at:\d+)+$)");
  return std::regex_replace(std::string(error.what()), kRethrowTrail, "");
}

int RowInMessage(const std::string& message) {
  static const std::regex kRow(R"(\(row (\d+), column \d+\))");
  std::smatch match;
  return std::regex_search(message, match, kRow) ? std::stoi(match[1].str()) : 0;
}

}  // namespace DataCheck
