#pragma once

#include "IUIEvent.h"
#include "SUIForm.h"

#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// The full-screen form "Intro" with the one skip button in the lower right corner that the intro and
// the comics show: the texture "SKIPBTNACTPAS" holds its face (top) and its face under the pointer
// (below it). The form starts disabled; its owner registers it with the input messager.
boost::shared_ptr<KorvexEngine::UI::SUIForm> CreateSkipForm(
    const boost::shared_ptr<KorvexEngine::UI::IUIEvent>& onSkip);

}  // namespace Vellgrove
