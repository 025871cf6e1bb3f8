#pragma once

#include "IDeserialize.h"
#include "ISerialize.h"
#include "SMatrix.h"
#include "SVector3.h"

namespace KorvexEngine {

// Places a drawable: scaled first, then rotated, then moved. Whoever changes Position, Rotation or
// Scale sets Dirty, so that the cached world matrix is rebuilt.
class STransformation : public SCore::ISerialize, public SCore::IDeserialize {
 public:
  STransformation();

  SCore::SMatrix* GetWorldMatrix(SCore::SMatrix* out);

  void DoSerialize(SCore::SSerializator& serializator) override;
  void DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) override;
  void DoDeserialize(SCore::SDeserializator& deserializator) override;

  SCore::SMatrix World;
  SCore::SMatrix Rotation;
  SCore::SVector3 Position;
  SCore::SVector3 Scale{1.0f, 1.0f, 1.0f};
  int Dirty = 0;

 private:
  // Stores nothing until all three values have been read.
  void ReadBody(SCore::SDeserializator& deserializator);
};

}  // namespace KorvexEngine
