#include "XMLAttribute.h"

namespace SCore {
namespace SXML {

XMLAttribute::XMLAttribute(const std::string& name, const std::string& value, const boost::shared_ptr<XMLNode>& owner)
    : m_Name(name), m_Value(value), m_Owner(owner) {}

XMLAttribute::~XMLAttribute() = default;

}  // namespace SXML
}  // namespace SCore
