#pragma once

#include <exception>
#include <string>

namespace SCore {

// The engine's and the game's exception: one message text, owned by the exception.
class KorvexCoreException : public std::exception {
 public:
  explicit KorvexCoreException(const char* text);
  KorvexCoreException(const KorvexCoreException& other);
  ~KorvexCoreException() override;
  const char* what() const noexcept override;

 private:
  std::string m_message;
};

}  // namespace SCore
