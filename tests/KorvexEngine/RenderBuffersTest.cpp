#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <thread>

using RenderTest::FailureOf;

namespace {

const std::string kVertexFactory = " SD3D9Viewport::DoCreateVertexBuffer() .\\Src\\dx9\\SD3D9Viewport at:";
const std::string kIndexFactory = " SD3D9Viewport::DoCreateIndexBuffer() .\\Src\\dx9\\SD3D9Viewport at:";

class Buffers : public RenderTest::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    CreateWindowed();
  }

  boost::shared_ptr<SCore::SVertexBuffer> Quad() {
    return viewport->DoCreateVertexBuffer(4, 28, D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1, D3DPT_TRIANGLELIST,
                                          D3DUSAGE_WRITEONLY);
  }

  // Whether another thread gets the device lock within the time.
  bool OtherThreadLocksWithin(std::chrono::milliseconds time) {
    std::future<void> other = std::async(std::launch::async, [this] {
      device->Lock();
      device->Unlock();
    });
    const bool locked = other.wait_for(time) == std::future_status::ready;
    m_pending = std::move(other);
    return locked;
  }

  void TearDown() override {
    if (m_pending.valid()) m_pending.wait_for(std::chrono::seconds(10));
    RenderFixture::TearDown();
  }

 private:
  std::future<void> m_pending;
};

TEST_F(Buffers, VertexBufferIsMadeWithItsCountsAndFormat) {
  const boost::shared_ptr<SCore::SVertexBuffer> buffer = Quad();
  EXPECT_EQ(buffer->GetResourceType(), 6);
  EXPECT_EQ(buffer->GetName(), "VertexBuffer");
  EXPECT_EQ(buffer->ByteLength, 112u);
  EXPECT_EQ(buffer->VertexSize, 28u);
  EXPECT_EQ(buffer->VertexCount, 4u);
  EXPECT_EQ(buffer->PrimitiveType, D3DPT_TRIANGLELIST);
  EXPECT_EQ(buffer->DoGetFvf(), DWORD(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1));
  D3DVERTEXBUFFER_DESC description{};
  buffer->GetNative()->GetDesc(&description);
  EXPECT_EQ(description.Size, 112u);
  EXPECT_EQ(description.Pool, D3DPOOL_MANAGED);
  EXPECT_EQ(description.Usage, DWORD(D3DUSAGE_WRITEONLY));
}

TEST_F(Buffers, IndexBufferTakesItsIndexSizeFromTheFormat) {
  const struct {
    D3DFORMAT format;
    unsigned size;
  } cases[] = {{D3DFMT_INDEX16, 2}, {D3DFMT_INDEX32, 4}};
  for (const auto& c : cases) {
    const boost::shared_ptr<SCore::SIndexBuffer> buffer = viewport->DoCreateIndexBuffer(6, c.format, 8);
    EXPECT_EQ(buffer->GetResourceType(), 7);
    EXPECT_EQ(buffer->GetName(), "IndexBuffer");
    EXPECT_EQ(buffer->IndexCount, 6u);
    EXPECT_EQ(buffer->IndexSize, c.size);
    EXPECT_EQ(buffer->ByteLength, 6 * c.size);
    D3DINDEXBUFFER_DESC description{};
    buffer->GetNative()->GetDesc(&description);
    EXPECT_EQ(description.Format, c.format);
  }
  EXPECT_EQ(FailureOf([&] { viewport->DoCreateIndexBuffer(6, D3DFMT_UNKNOWN, 8); }),
            "can't get index size: unknown index buffer format SD3D9IndexBuffer::DoGetIndexSize() "
            ".\\Src\\dx9\\SD3D9IndexBuffer at:" + kIndexFactory);
}

TEST_F(Buffers, EveryFailedCreationRaisesItsText) {
  const struct {
    HRESULT result;
    const char* vertexText;
    const char* indexText;
  } cases[] = {
      {E_OUTOFMEMORY, "Can't create D3D9 Vertex Buffer: OUTOFMEMORY", "Can't create D3D9 Index Buffer: OUTOFMEMORY"},
      {D3DERR_OUTOFVIDEOMEMORY, "Can't create D3D9 Vertex Buffer: OUTOFVIDEOMEMORYL",
       "Can't create D3D9 Index Buffer: OUTOFVIDEOMEMORYL"},
      {D3DERR_INVALIDCALL, "Can't create D3D9 Vertex Buffer: INVALIDCALL",
       "Can't create D3D9 Index Buffer: INVALIDCALL"},
      {D3DXERR_INVALIDDATA, "Can't create D3D9 Vertex Buffer: UNKNOWN ERROR",
       "Can't create D3D9 Index Buffer: INVALIDDATA"},
      {E_FAIL, "Can't create D3D9 Vertex Buffer: UNKNOWN ERROR", "Can't create D3D9 Index Buffer: UNKNOWN ERROR"},
  };
  for (const auto& c : cases) {
    Platform::Testing::FailNextCall("CreateVertexBuffer", c.result);
    EXPECT_EQ(FailureOf([&] { Quad(); }),
              c.vertexText + std::string(" SD3D9VertexBuffer::Create() .\\Src\\dx9\\SD3D9VertexBuffer at:") +
                  kVertexFactory);
    Platform::Testing::FailNextCall("CreateIndexBuffer", c.result);
    EXPECT_EQ(FailureOf([&] { viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, 8); }),
              c.indexText + std::string(" SD3D9IndexBuffer::Create() .\\Src\\dx9\\SD3D9IndexBuffer at:") +
                  kIndexFactory);
  }
}

TEST_F(Buffers, LockedBufferHoldsTheDeviceAgainstOtherThreadsUntilUnlocked) {
  const boost::shared_ptr<SCore::SVertexBuffer> buffer = Quad();
  void* data = nullptr;
  buffer->DoLock(0, 0, &data, 0);
  std::memset(data, 0xAB, 112);
  EXPECT_FALSE(OtherThreadLocksWithin(std::chrono::milliseconds(200)));
  buffer->DoUnlock();
  EXPECT_TRUE(OtherThreadLocksWithin(std::chrono::seconds(10)));

  const boost::shared_ptr<SCore::SIndexBuffer> indices = viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, 8);
  indices->DoLock(4, 2, &data, 0);
  EXPECT_FALSE(OtherThreadLocksWithin(std::chrono::milliseconds(200)));
  indices->DoUnlock();
  EXPECT_TRUE(OtherThreadLocksWithin(std::chrono::seconds(10)));

  buffer->DoLock(100, 12, &data, D3DLOCK_READONLY);
  EXPECT_EQ(static_cast<unsigned char*>(data)[11], 0xAB);
  buffer->DoUnlock();
}

TEST_F(Buffers, AFailedLockLeavesTheDeviceUnlocked) {
  const boost::shared_ptr<SCore::SVertexBuffer> vertices = Quad();
  const boost::shared_ptr<SCore::SIndexBuffer> indices = viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, 8);
  vertices->Release();
  vertices->Release();  // harmless
  indices->Release();
  void* data = nullptr;
  EXPECT_EQ(FailureOf([&] { vertices->DoLock(0, 0, &data, 0); }),
            "can't Lock vertex buffer SD3D9VertexBuffer::DoLock() .\\Src\\dx9\\SD3D9VertexBuffer at:");
  EXPECT_EQ(FailureOf([&] { indices->DoLock(0, 0, &data, 0); }),
            "can't Lock index buffer SD3D9IndexBuffer::DoLock() .\\Src\\dx9\\SD3D9IndexBuffer at:");
  EXPECT_EQ(FailureOf([&] { vertices->DoGetFvf(); }),
            "can't get vertex buffer desc SD3D9VertexBuffer::DoGetFvf() .\\Src\\dx9\\SD3D9VertexBuffer at:");
  EXPECT_TRUE(OtherThreadLocksWithin(std::chrono::seconds(10)));
}

TEST_F(Buffers, BuffersKeepTheirDeviceAliveUntilTheyAreGone) {
  const long before = device.use_count();
  boost::shared_ptr<SCore::SVertexBuffer> vertices = Quad();
  boost::shared_ptr<SCore::SIndexBuffer> indices = viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, 8);
  EXPECT_EQ(device.use_count(), before + 2);
  vertices.reset();
  indices.reset();
  EXPECT_EQ(device.use_count(), before);
}

}  // namespace
