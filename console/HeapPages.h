#pragma once

// A drawing is hundreds of thousands of small objects: the heap they live
// in grows in large steps, and where the system offers transparent huge
// pages on request, the first step (32 MiB, most drawings) asks for them.
// A run of 20,000 commands then takes a few hundred page faults instead of
// thousands. Best effort: a system that refuses any of it keeps the usual
// heap. Call first in main.
void growHeapInLargeSteps();
