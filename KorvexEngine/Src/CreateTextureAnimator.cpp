#include "CreateTextureAnimator.h"

#include "KorvexCoreException.h"
#include "STextureAnimatorFloating.h"
#include "STextureAnimatorFrame.h"

#include <boost/lexical_cast.hpp>

namespace SCore {

boost::shared_ptr<STextureAnimator> CreateTextureAnimator(int type) {
  if (type == FLOATING) return boost::shared_ptr<STextureAnimator>(new STextureAnimatorFloating());
  if (type == FRAME) return boost::shared_ptr<STextureAnimator>(new STextureAnimatorFrame());
  throw KorvexCoreException(("unknown texture animator type" + boost::lexical_cast<std::string>(type)).c_str());
}

}  // namespace SCore
