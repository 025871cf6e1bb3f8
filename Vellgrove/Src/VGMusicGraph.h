#pragma once

#include "Platform/DShow.h"

namespace Vellgrove {

// The media graph of one music track with the four faces the player uses, each released when the
// graph goes out of scope.
class VGMusicGraph {
 public:
  VGMusicGraph() = default;
  ~VGMusicGraph();
  VGMusicGraph(const VGMusicGraph&) = delete;
  VGMusicGraph& operator=(const VGMusicGraph&) = delete;

  // Makes the graph and queries its faces; false when any is missing.
  bool Create();

  IGraphBuilder* builder = nullptr;
  IMediaControl* control = nullptr;
  IMediaEvent* events = nullptr;
  IBasicAudio* audio = nullptr;
  IMediaSeeking* seeking = nullptr;
};

}  // namespace Vellgrove
