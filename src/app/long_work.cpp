#include "app/long_work.h"

namespace varnel::app {

void LongWork::askToStop(bool thenEnd) {
  if (thenEnd && !view_.askYesNo(kStopToEndQuestion)) return;
  endAsked_ = thenEnd;
  activity_.requestStop();
  view_.setStatus(kStoppingText);
}

}  // namespace varnel::app
