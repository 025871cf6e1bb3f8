#include <cmath>

#include "Platform/D3DX9.h"

namespace {

D3DXVECTOR3 Subtract(const D3DXVECTOR3& left, const D3DXVECTOR3& right) {
  return D3DXVECTOR3(left.x - right.x, left.y - right.y, left.z - right.z);
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& left, const D3DXVECTOR3& right) {
  return D3DXVECTOR3(left.y * right.z - left.z * right.y, left.z * right.x - left.x * right.z,
                     left.x * right.y - left.y * right.x);
}

float Dot(const D3DXVECTOR3& left, const D3DXVECTOR3& right) {
  return left.x * right.x + left.y * right.y + left.z * right.z;
}

D3DXVECTOR3 Normalize(const D3DXVECTOR3& vector) {
  const float length = std::sqrt(Dot(vector, vector));
  if (length == 0.0f) return vector;
  return D3DXVECTOR3(vector.x / length, vector.y / length, vector.z / length);
}

D3DXMATRIX Identity() {
  D3DXMATRIX matrix{};
  matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
  return matrix;
}

}  // namespace

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  *out = Identity();
  out->_41 = x;
  out->_42 = y;
  out->_43 = z;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  *out = Identity();
  const float cosine = std::cos(angle);
  const float sine = std::sin(angle);
  out->_11 = cosine;
  out->_13 = -sine;
  out->_31 = sine;
  out->_33 = cosine;
  return out;
}

D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up) {
  const D3DXVECTOR3 zAxis = Normalize(Subtract(*eye, *at));
  const D3DXVECTOR3 xAxis = Normalize(Cross(*up, zAxis));
  const D3DXVECTOR3 yAxis = Cross(zAxis, xAxis);
  *out = Identity();
  const D3DXVECTOR3* axes[3] = {&xAxis, &yAxis, &zAxis};
  for (int column = 0; column < 3; ++column) {
    out->m[0][column] = axes[column]->x;
    out->m[1][column] = axes[column]->y;
    out->m[2][column] = axes[column]->z;
    out->m[3][column] = -Dot(*axes[column], *eye);
  }
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar) {
  *out = D3DXMATRIX{};
  const float yScale = 1.0f / std::tan(fovY / 2.0f);
  out->_11 = yScale / aspect;
  out->_22 = yScale;
  out->_33 = zFar / (zNear - zFar);
  out->_34 = -1.0f;
  out->_43 = zNear * zFar / (zNear - zFar);
  return out;
}
