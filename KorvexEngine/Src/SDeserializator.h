#pragma once

#include "SAABBox.h"
#include "SMatrix.h"
#include "SRect.h"
#include "SSphere.h"
#include "STextureFiltration.h"
#include "STextureParameters.h"
#include "STransformData.h"
#include "SVector3.h"
#include "SVector4.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

// The document reader. Every read of a missing attribute or child element raises, so optional values
// are probed first with DoIsAvialableName or DoIsHaveChild. A number or flag whose text does not
// convert raises KorvexCoreException naming the attribute, its element and the text. A record is read from the child element of
// its name without moving the current element.
class SDeserializator {
 public:
  virtual ~SDeserializator() = default;

  virtual void DoDeserialize(const std::string& name, STextureParameters& value) = 0;
  virtual void DoDeserialize(const std::string& name, STextureFiltration& value) = 0;
  virtual void DoDeserialize(const std::string& name, STransformData& value) = 0;
  virtual void DoDeserialize(const std::string& name, SSphere& value) = 0;
  virtual void DoDeserialize(const std::string& name, SAABBox& value) = 0;
  virtual void DoDeserialize(const std::string& name, SRect& value) = 0;
  virtual void DoDeserialize(const std::string& name, SVector4& value) = 0;
  virtual void DoDeserialize(const std::string& name, SMatrix& value) = 0;
  virtual void DoDeserialize(const std::string& name, SVector3& value) = 0;
  virtual void DoDeserialize(const std::string& name, std::wstring& value) = 0;
  virtual void DoDeserialize(const std::string& name, std::string& value) = 0;
  virtual void DoDeserialize(const std::string& name, double& value) = 0;
  virtual void DoDeserialize(const std::string& name, float& value) = 0;
  // Reserved kinds: every reader raises "method is not define".
  virtual void DoDeserialize(const std::string& name, long double& value) = 0;
  virtual void DoDeserialize(const std::string& name, long long& value) = 0;
  virtual void DoDeserialize(const std::string& name, unsigned long long& value) = 0;
  virtual void DoDeserialize(const std::string& name, unsigned int& value) = 0;
  virtual void DoDeserialize(const std::string& name, int& value) = 0;
  virtual void DoDeserialize(const std::string& name, unsigned short& value) = 0;
  virtual void DoDeserialize(const std::string& name, short& value) = 0;
  // Reserved kinds: every reader raises "method is not define".
  virtual void DoDeserialize(const std::string& name, char& value) = 0;
  virtual void DoDeserialize(const std::string& name, unsigned char& value) = 0;
  virtual void DoDeserialize(const std::string& name, bool& value) = 0;

  // Replaces the document with the one parsed from the text; called on a reader at the top level.
  virtual void DoParseText(const std::string& text) = 0;
  virtual void DoBeginChild(unsigned int index) = 0;
  virtual void DoBeginChild(const std::string& name) = 0;
  virtual void DoEndChild() = 0;
  virtual unsigned int DoGetChildCount() = 0;
  virtual std::string DoGetNodeName() = 0;
  virtual boost::shared_ptr<SDeserializator> DoClone(const std::wstring& path) = 0;
  virtual bool DoIsAvialableName(const std::string& name) = 0;
  virtual bool DoIsHaveChild(const std::string& name) = 0;

  std::string GetNodeName() { return DoGetNodeName(); }
};

}  // namespace SCore
