#pragma once

#include "SFont.h"
#include "SIndexBuffer.h"
#include "SInput.h"
#include "SRenderDevice.h"
#include "SRenderPass.h"
#include "STexture.h"
#include "STextureManager.h"
#include "SVertexBuffer.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

// The render device, the input and the texture manager of one renderer, and the factory of every
// device resource.
class SViewport {
 public:
  SViewport();
  virtual ~SViewport();
  SViewport(const SViewport&) = delete;
  SViewport& operator=(const SViewport&) = delete;

  virtual boost::shared_ptr<SVertexBuffer> DoCreateVertexBuffer(UINT vertexCount, UINT vertexSize, DWORD fvf,
                                                                DWORD primitiveType, DWORD usage) = 0;
  virtual boost::shared_ptr<SIndexBuffer> DoCreateIndexBuffer(UINT indexCount, D3DFORMAT format, DWORD usage) = 0;
  virtual boost::shared_ptr<SRenderPass> DoCreateRenderPass() = 0;
  // The font is made but not created.
  virtual boost::shared_ptr<SFont> DoCreateFont() = 0;
  // The texture is named, but neither created nor loaded.
  virtual boost::shared_ptr<STexture> DoCreateTexture(const std::string& name) = 0;

  boost::shared_ptr<SRenderPass> CreateRenderPass() { return DoCreateRenderPass(); }
  boost::shared_ptr<STexture> CreateTexture(const std::string& name) { return DoCreateTexture(name); }

  const boost::shared_ptr<SRenderDevice>& GetRenderDevice() const { return m_renderDevice; }
  const boost::shared_ptr<SInput>& GetInput() const { return m_input; }
  const boost::shared_ptr<STextureManager>& GetTextureManager() const { return m_textureManager; }

 protected:
  boost::shared_ptr<SRenderDevice> m_renderDevice;
  boost::shared_ptr<SInput> m_input;
  boost::shared_ptr<STextureManager> m_textureManager;
};

}  // namespace SCore
