#pragma once
// Names already right kept, run straight on the host as literally as it is
// described: the final names are those of the full run, made on a copy; then
// in list order each component whose final name is free takes it, and the
// one before it that waited for the name it left follows, and so on; what
// still waits waits on a cycle, and the first of each steps aside to a
// temporary number above every number read and planned.
#include "plain_renumbering.h"
#include "standin/memory_host.h"

namespace varnel::tests {

PlainOutcome plainKeepingRight(standin::MemoryHost& host, const renumber::RunSettings& settings);

}  // namespace varnel::tests
