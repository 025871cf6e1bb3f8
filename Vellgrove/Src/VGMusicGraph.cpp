#include "VGMusicGraph.h"

namespace Vellgrove {

namespace {

template <class Face>
void ReleaseFace(Face*& face) {
  if (face != nullptr) face->Release();
  face = nullptr;
}

template <class Face>
bool QueryFace(IGraphBuilder* builder, REFIID id, Face*& face) {
  return SUCCEEDED(builder->QueryInterface(id, reinterpret_cast<void**>(&face))) && face != nullptr;
}

}  // namespace

VGMusicGraph::~VGMusicGraph() {
  ReleaseFace(control);
  ReleaseFace(events);
  ReleaseFace(audio);
  ReleaseFace(seeking);
  ReleaseFace(builder);
}

bool VGMusicGraph::Create() {
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(&builder))) ||
      builder == nullptr) {
    builder = nullptr;
    return false;
  }
  return QueryFace(builder, IID_IMediaControl, control) && QueryFace(builder, IID_IMediaEvent, events) &&
         QueryFace(builder, IID_IBasicAudio, audio) && QueryFace(builder, IID_IMediaSeeking, seeking);
}

}  // namespace Vellgrove
