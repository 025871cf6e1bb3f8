#include "STransformation.h"

#include "SDeserializator.h"
#include "SSerializator.h"
#include "smath_matrix.h"

namespace KorvexEngine {

STransformation::STransformation() : World(SCore::SMatrixIdentity()), Rotation(SCore::SMatrixIdentity()) {}

SCore::SMatrix* STransformation::GetWorldMatrix(SCore::SMatrix* out) {
  if (Dirty != 0) {
    SCore::SMatrix scaling = SCore::SMatrixIdentity();
    scaling.f11 = Scale.X;
    scaling.f22 = Scale.Y;
    scaling.f33 = Scale.Z;
    SCore::SMatrix translation;
    SCore::SMatrixTranslation(&translation, Position.X, Position.Y, Position.Z);
    SCore::SMatrix scaledAndRotated;
    SCore::SMatrixMultiply(&scaledAndRotated, &scaling, &Rotation);
    SCore::SMatrixMultiply(&World, &scaledAndRotated, &translation);
    Dirty = 0;
  }
  *out = World;
  return out;
}

void STransformation::DoSerialize(SCore::SSerializator& serializator) {
  serializator.DoBeginChild("Transform");
  serializator.DoSerialize("Position", Position);
  serializator.DoSerialize("Rotation", Rotation);
  serializator.DoSerialize("Scale", Scale);
  serializator.DoEndChild();
}

void STransformation::DoDeserialize(SCore::SDeserializator& deserializator, unsigned int index) {
  deserializator.DoBeginChild(index);
  ReadBody(deserializator);
  deserializator.DoEndChild();
}

void STransformation::DoDeserialize(SCore::SDeserializator& deserializator) {
  deserializator.DoBeginChild("Transform");
  ReadBody(deserializator);
  deserializator.DoEndChild();
}

void STransformation::ReadBody(SCore::SDeserializator& deserializator) {
  SCore::SVector3 position;
  SCore::SMatrix rotation;
  SCore::SVector3 scale;
  deserializator.DoDeserialize("Position", position);
  deserializator.DoDeserialize("Rotation", rotation);
  deserializator.DoDeserialize("Scale", scale);
  Position = position;
  Rotation = rotation;
  Scale = scale;
  Dirty = 1;
}

}  // namespace KorvexEngine
