#pragma once
// Where a run's ECO file goes.
namespace varnel::app {

enum class EcoOutput { none, writeOnly, forceReadInPcb };

}  // namespace varnel::app
