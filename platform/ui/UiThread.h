#pragma once

#include <functional>

class QObject;

// True on the thread that runs the application's event loop.
bool IsUiThread();

// Runs `fn` on the thread that owns `context` (for a widget: the UI thread) and waits until it
// has run, like sending a window message. On that thread itself it runs at once. Returns
// false when `fn` did not run because `context` was destroyed first. The owning thread must
// not be waiting for the caller, or both wait for ever.
bool RunOnUiThread(QObject* context, const std::function<void()>& fn);

// The same with the application object as context, for code that has no window.
bool RunOnUiThread(const std::function<void()>& fn);
