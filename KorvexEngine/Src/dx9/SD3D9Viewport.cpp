#include "SD3D9Viewport.h"

#include "SD3D9Font.h"
#include "SD3D9IndexBuffer.h"
#include "SD3D9RenderDevice.h"
#include "SD3D9RenderPass.h"
#include "SD3D9Texture.h"
#include "SD3D9VertexBuffer.h"
#include "SDI9Input.h"
#include "srethrow.h"

namespace SCore {

namespace {
const char* const kSource = ".\\Src\\dx9\\SD3D9Viewport";
}  // namespace

SD3D9Viewport::SD3D9Viewport() {
  m_renderDevice.reset(new SD3D9RenderDevice);
  m_input.reset(new SDI9Input);
}

SD3D9Viewport::~SD3D9Viewport() = default;

boost::shared_ptr<SVertexBuffer> SD3D9Viewport::DoCreateVertexBuffer(UINT vertexCount, UINT vertexSize, DWORD fvf,
                                                                     DWORD primitiveType, DWORD usage) {
  KORVEX_TRY
    boost::shared_ptr<SVertexBuffer> buffer(new SD3D9VertexBuffer);
    buffer->PrimitiveType = int(primitiveType);
    buffer->VertexSize = vertexSize;
    buffer->ByteLength = vertexCount * vertexSize;
    buffer->Create(m_renderDevice, fvf, usage);
    buffer->VertexCount = vertexCount;
    return buffer;
  KORVEX_RETHROW("SD3D9Viewport::DoCreateVertexBuffer()", kSource)
}

boost::shared_ptr<SIndexBuffer> SD3D9Viewport::DoCreateIndexBuffer(UINT indexCount, D3DFORMAT format, DWORD usage) {
  KORVEX_TRY
    boost::shared_ptr<SIndexBuffer> buffer(new SD3D9IndexBuffer);
    buffer->IndexCount = indexCount;
    buffer->ByteLength = indexCount * buffer->DoGetIndexSize(format);
    buffer->Create(m_renderDevice, format, usage);
    buffer->IndexSize = buffer->DoGetIndexSize(format);
    return buffer;
  KORVEX_RETHROW("SD3D9Viewport::DoCreateIndexBuffer()", kSource)
}

boost::shared_ptr<SRenderPass> SD3D9Viewport::DoCreateRenderPass() {
  KORVEX_TRY
    return boost::shared_ptr<SRenderPass>(new SD3D9RenderPass(m_renderDevice));
  KORVEX_RETHROW("SD3D9Viewport::DoCreateRenderPass()", kSource)
}

boost::shared_ptr<SFont> SD3D9Viewport::DoCreateFont() {
  KORVEX_TRY
    return boost::shared_ptr<SFont>(new SD3D9Font);
  KORVEX_RETHROW("SD3D9Viewport::DoCreateFont()", kSource)
}

boost::shared_ptr<STexture> SD3D9Viewport::DoCreateTexture(const std::string& name) {
  KORVEX_TRY
    return boost::shared_ptr<STexture>(new SD3D9Texture(name));
  KORVEX_RETHROW("SD3D9Viewport::DoCreateTexture()", kSource)
}

}  // namespace SCore
