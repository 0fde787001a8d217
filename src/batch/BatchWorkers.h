#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "batch/BatchRun.h"

// What a worker's run writes, as the parent writes it again: the standard
// output, the standard error and the fit report's rows.
struct BatchStreams {
    std::ostream& Out;
    std::ostream& Err;
    std::function<void(const std::string& rows)> FitReportRows;
};

// Draws the files of a batch in `workers` processes at a time. Each worker
// is a fork of this process as it stands (the command line read, the
// configuration checked) and draws the next file no worker has taken, with
// run(options, streams), where options hand out the files and streams
// record what each file writes. The parent writes each file's output
// together and in the order of the files, as one process would, so only
// the time differs. A file whose worker ended before it was done (killed,
// crashed) gets lost(index) and counts as skipped.
BatchResult RunBatchInWorkers(
    int workers, const BatchOptions& options, const BatchStreams& streams,
    const std::function<BatchResult(const BatchOptions&, const BatchStreams&)>& run,
    const std::function<void(int index)>& lost);
