#include "XMLException.h"

namespace SCore {
namespace SXML {

XMLException::XMLException(const char* text) : m_message(text == nullptr ? "" : text) {}

XMLException::XMLException(const XMLException& other) = default;

XMLException::~XMLException() = default;

const char* XMLException::what() const noexcept { return m_message.c_str(); }

}  // namespace SXML
}  // namespace SCore
