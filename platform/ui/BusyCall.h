#pragma once

#include "platform/SocketCancel.h"
#include "util/MessageService.h"

#include <chrono>
#include <functional>
#include <optional>
#include <type_traits>

class QWidget;

// How an exchange with the box runs without freezing the window: RunBusyCall runs the blocking
// core operation on a worker thread while the window thread waits in a local event loop that
// keeps painting but drops the user's input to every window already open, so the call is
// exactly as modal as a blocking one. When the operation has waited longer than
// kBusyIndicatorDelay (time spent in window-thread calls made for it does not count), a
// BusyIndicator appears over the window; its Cancel shuts the operation's connection, the
// operation fails at that point, and its messages are dropped from then on.
//
// The operation gets a BusyCall: everything it shows or asks goes through it, so that it runs
// on the window thread while the worker waits for the answer.
//
//   DownloadResult result;
//   RunBusyCall(this, m_services.messages, [&](BusyCall& call) {
//       LinkOptions link = m_services.link;
//       link.cancel = &call.cancel();
//       auto askAddress = [&](const std::string& prefill) {
//           return call.OnUiThread([&] { return AskConnectAddress(prefill, this); });
//       };
//       result = DownloadDatabase(m_state, m_strWorkDir, call.messages(), askAddress, link);
//   });
//   // act on `result` as after a blocking call
//
// While the operation runs, the window thread touches nothing the operation uses: it only
// paints and serves the operation's own calls.

inline constexpr std::chrono::milliseconds kBusyIndicatorDelay{300};

class BusyCall final {
public:
    // The caller's message service, shown on the window thread (the worker waits for the
    // answer). After Cancel nothing is shown: messages answer OK, questions No.
    MessageService& messages();
    // For LinkOptions::cancel: Cancel shuts every connection registered there.
    SocketCancel& cancel();
    // Whether the user pressed Cancel.
    bool cancelled() const;

    // Runs `fn` on the window thread (a dialog, a question) and returns its result; the worker
    // waits, and the indicator's clock stands still meanwhile.
    template <class Fn> std::invoke_result_t<Fn&> OnUiThread(Fn&& fn)
    {
        using Result = std::invoke_result_t<Fn&>;
        if constexpr (std::is_void_v<Result>) {
            RunOnUi([&] { fn(); });
        } else {
            std::optional<Result> result;
            RunOnUi([&] { result.emplace(fn()); });
            return std::move(*result);
        }
    }

    class Session;

private:
    friend class Session;
    explicit BusyCall(Session& session) : session_(session) {}
    BusyCall(const BusyCall&) = delete;
    BusyCall& operator=(const BusyCall&) = delete;

    void RunOnUi(const std::function<void()>& fn);

    Session& session_;
};

// Runs `operation` on a worker thread as described above and returns when it has returned;
// an exception it throws is thrown again here. `window` is the window the operation belongs
// to (the indicator appears over it). True when the user pressed Cancel, or when the program
// is quitting (every event loop told to end), which calls the operation off the same way; the
// operation's own result says what state it left, as after a blocking call.
bool RunBusyCall(QWidget* window, MessageService& messages,
                 const std::function<void(BusyCall& call)>& operation);
