#pragma once

// The processors this process may run on (its affinity, as a job
// scheduler or taskset sets it), at least 1.
int UsableCores();
