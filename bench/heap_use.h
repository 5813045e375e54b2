#pragma once
// The heap in use while a benchmark runs, counted by replacing operator new
// and delete in the benchmark program: the bytes held now, and the most
// held since the mark was last reset.
#include <cstddef>

namespace varnel::bench {

std::size_t heapInUse();
// Starts counting the peak afresh from what is held now.
void resetHeapPeak();
std::size_t heapPeak();

}  // namespace varnel::bench
