#pragma once

#include "util/MessageService.h"

#include <atomic>

// How a worker of a busy or progress dialog ended. The dialog sets timer 30 for Success and
// timer 40 for the others; the CLI exits 0, 1 or 130.
enum class WorkerResult { Success, Failed, Cancelled };

// The cancel request a dialog's "Cancel" button (or the CLI's Ctrl+C) sets and the worker
// polls. A request found set is taken (cleared) and "Cancel?" is asked: Yes confirms (true; the
// request is set again), No leaves it cleared and the work goes on (false). Only whoever takes
// the request asks, so a dialog that takes it from a worker stuck in a blocking call and asks
// itself never has the question come up twice.
bool CancelConfirmed(std::atomic<bool>& cancelRequested, MessageService& messages);
