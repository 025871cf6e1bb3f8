#pragma once

#include <exception>
#include <string>

namespace SCore {
namespace SXML {

// A syntax error of the engine's XML parser. Deliberately not a KorvexCoreException: it crosses
// the rethrow handlers unchanged.
class XMLException : public std::exception {
 public:
  explicit XMLException(const char* text);
  XMLException(const XMLException& other);
  ~XMLException() override;
  const char* what() const noexcept override;

 private:
  std::string m_message;
};

}  // namespace SXML
}  // namespace SCore
