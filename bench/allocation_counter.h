#pragma once
// Every allocation of the benchmark process is counted, so a benchmark can report how many its
// loop made.
long AllocationCount();
