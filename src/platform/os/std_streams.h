#pragma once
// Standard input, output and error as a command-line tool keeps them.
namespace platform::os {

// Opens each of descriptors 0-2 that is closed on /dev/null, before any
// other file is opened: else the next file opened would take its number and
// receive what is meant for the terminal. Output descriptors are opened
// read-only, so that writing to a stream that was closed still fails.
void OpenClosedStandardStreams();

// The exit status once standard output is flushed: `code`, or when what was
// printed could not all be written (closed, full), a line on standard error
// and core::kExitStandardOutputFailed unless `code` already says a failure.
int FinishStandardOutput(int code);

}  // namespace platform::os
