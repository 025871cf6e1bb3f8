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

// The document writer. A scalar becomes an attribute of the current element; a value record becomes
// a child element of the value's name, which the writer does not enter. Appending never replaces:
// the same name written twice gives two attributes or two children.
class SSerializator {
 public:
  virtual ~SSerializator() = default;

  virtual void DoSerialize(const std::string& name, const STextureParameters& value) = 0;
  virtual void DoSerialize(const std::string& name, const STextureFiltration& value) = 0;
  virtual void DoSerialize(const std::string& name, const STransformData& value) = 0;
  virtual void DoSerialize(const std::string& name, const SSphere& value) = 0;
  virtual void DoSerialize(const std::string& name, const SAABBox& value) = 0;
  virtual void DoSerialize(const std::string& name, const SRect& value) = 0;
  virtual void DoSerialize(const std::string& name, const SVector4& value) = 0;
  virtual void DoSerialize(const std::string& name, const SMatrix& value) = 0;
  virtual void DoSerialize(const std::string& name, const SVector3& value) = 0;
  virtual void DoSerialize(const std::string& name, const std::wstring& value) = 0;
  virtual void DoSerialize(const std::string& name, const std::string& value) = 0;
  virtual void DoSerialize(const std::string& name, const double& value) = 0;
  virtual void DoSerialize(const std::string& name, const float& value) = 0;
  // Reserved kinds: every writer raises "method is not define".
  virtual void DoSerialize(const std::string& name, const long double& value) = 0;
  virtual void DoSerialize(const std::string& name, const long long& value) = 0;
  virtual void DoSerialize(const std::string& name, const unsigned long long& value) = 0;
  virtual void DoSerialize(const std::string& name, const unsigned int& value) = 0;
  virtual void DoSerialize(const std::string& name, const int& value) = 0;
  virtual void DoSerialize(const std::string& name, const unsigned short& value) = 0;
  virtual void DoSerialize(const std::string& name, const short& value) = 0;
  // Reserved kinds: every writer raises "method is not define".
  virtual void DoSerialize(const std::string& name, const char& value) = 0;
  virtual void DoSerialize(const std::string& name, const unsigned char& value) = 0;
  virtual void DoSerialize(const std::string& name, const bool& value) = 0;

  virtual void DoBeginChild(const std::string& name) = 0;
  virtual void DoEndChild() = 0;
  // Writes out the document held so far, then starts an empty one bound to the new path.
  virtual void DoOpenDataSource(const std::wstring& path) = 0;
  virtual void DoFlush() = 0;
  virtual boost::shared_ptr<SSerializator> DoClone(const std::wstring& path) = 0;

  // A text literal would otherwise be taken as a bool.
  void DoSerialize(const std::string& name, const char* value) { DoSerialize(name, std::string(value)); }
};

}  // namespace SCore
