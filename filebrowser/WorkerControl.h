#pragma once

#include "util/MessageService.h"

#include <atomic>

// How a worker of a busy or progress dialog ended. The dialog sets timer 30 for Success and
// timer 40 for the others; the CLI exits 0, 1 or 130.
enum class WorkerResult { Success, Failed, Cancelled };

// The cancel request a dialog's "Cancel" button (or the CLI's Ctrl+C) sets and the worker
// polls. When it is set, "Cancel?" is asked: Yes confirms (true), No clears the request and
// the work goes on (false).
bool CancelConfirmed(std::atomic<bool>& cancelRequested, MessageService& messages);
