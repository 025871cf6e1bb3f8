// The attribute names of the value records' fields, shared by the writer and both readers so that
// the three always agree. Each function hands every field with its attribute name to a visitor, in
// the order in which the writer writes them.
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

namespace SCore {

template <typename Visit>
void ForEachField(SVector3& record, Visit&& visit) {
  visit("X", record.X);
  visit("Y", record.Y);
  visit("Z", record.Z);
}

template <typename Visit>
void ForEachField(SVector4& record, Visit&& visit) {
  visit("X", record.X);
  visit("Y", record.Y);
  visit("Z", record.Z);
  visit("W", record.W);
}

template <typename Visit>
void ForEachField(SMatrix& record, Visit&& visit) {
  static const struct {
    const char* name;
    float SMatrix::*field;
  } fields[] = {
      {"f11", &SMatrix::f11}, {"f12", &SMatrix::f12}, {"f13", &SMatrix::f13}, {"f14", &SMatrix::f14},
      {"f21", &SMatrix::f21}, {"f22", &SMatrix::f22}, {"f23", &SMatrix::f23}, {"f24", &SMatrix::f24},
      {"f31", &SMatrix::f31}, {"f32", &SMatrix::f32}, {"f33", &SMatrix::f33}, {"f34", &SMatrix::f34},
      {"f41", &SMatrix::f41}, {"f42", &SMatrix::f42}, {"f43", &SMatrix::f43}, {"f44", &SMatrix::f44},
  };
  for (const auto& entry : fields) visit(entry.name, record.*entry.field);
}

template <typename Visit>
void ForEachField(SRect& record, Visit&& visit) {
  visit("X", record.X);
  visit("Y", record.Y);
  visit("Width", record.Width);
  visit("Height", record.Height);
}

template <typename Visit>
void ForEachField(SAABBox& record, Visit&& visit) {
  visit("MinX", record.MinX);
  visit("MinY", record.MinY);
  visit("MinZ", record.MinZ);
  visit("MaxX", record.MaxX);
  visit("MaxY", record.MaxY);
  visit("MaxZ", record.MaxZ);
}

template <typename Visit>
void ForEachField(SSphere& record, Visit&& visit) {
  visit("X", record.X);
  visit("Y", record.Y);
  visit("Z", record.Z);
  visit("R", record.R);
}

template <typename Visit>
void ForEachPositionField(STransformData& record, Visit&& visit) {
  visit("PositionX", record.Position.X);
  visit("PositionY", record.Position.Y);
  visit("PositionZ", record.Position.Z);
}

template <typename Visit>
void ForEachSizeField(STransformData& record, Visit&& visit) {
  visit("SizeX", record.Size.X);
  visit("SizeY", record.Size.Y);
  visit("SizeZ", record.Size.Z);
}

template <typename Visit>
void ForEachField(STransformData& record, Visit&& visit) {
  ForEachPositionField(record, visit);
  ForEachSizeField(record, visit);
  ForEachField(record.Rotation, visit);
}

template <typename Visit>
void ForEachField(STextureParameters& record, Visit&& visit) {
  visit("MipLevels", record.MipLevels);
  visit("Usage", record.Usage);
  visit("Format", record.Format);
  visit("Pool", record.Pool);
  visit("Filter", record.Filter);
  visit("MipFilter", record.MipFilter);
}

template <typename Visit>
void ForEachField(STextureFiltration& record, Visit&& visit) {
  visit("IsBilinear", record.IsBilinear);
  visit("IsTrilinear", record.IsTrilinear);
  visit("IsAnisotropic", record.IsAnisotropic);
}

// The readers take a transform's position, then its rotation, then its size; a read that fails
// part-way leaves the fields read before it stored, so the order is kept.
template <typename Record, typename Visit>
void ForEachFieldInReadOrder(Record& record, Visit&& visit) {
  ForEachField(record, visit);
}

template <typename Visit>
void ForEachFieldInReadOrder(STransformData& record, Visit&& visit) {
  ForEachPositionField(record, visit);
  ForEachField(record.Rotation, visit);
  ForEachSizeField(record, visit);
}

}  // namespace SCore
