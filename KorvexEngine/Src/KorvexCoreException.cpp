#include "KorvexCoreException.h"

namespace SCore {

KorvexCoreException::KorvexCoreException(const char* text) : m_message(text == nullptr ? "" : text) {}

KorvexCoreException::KorvexCoreException(const KorvexCoreException& other) = default;

KorvexCoreException::~KorvexCoreException() = default;

const char* KorvexCoreException::what() const noexcept { return m_message.c_str(); }

}  // namespace SCore
