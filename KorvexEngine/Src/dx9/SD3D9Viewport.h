#pragma once

#include "SViewport.h"

namespace SCore {

// The Direct3D 9 renderer: its render device and DirectInput input, both made but not yet created.
class SD3D9Viewport : public SViewport {
 public:
  SD3D9Viewport();
  ~SD3D9Viewport() override;

  boost::shared_ptr<SVertexBuffer> DoCreateVertexBuffer(UINT vertexCount, UINT vertexSize, DWORD fvf,
                                                        DWORD primitiveType, DWORD usage) override;
  boost::shared_ptr<SIndexBuffer> DoCreateIndexBuffer(UINT indexCount, D3DFORMAT format, DWORD usage) override;
  boost::shared_ptr<SRenderPass> DoCreateRenderPass() override;
  boost::shared_ptr<SFont> DoCreateFont() override;
  boost::shared_ptr<STexture> DoCreateTexture(const std::string& name) override;
};

}  // namespace SCore
