#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A fake box on ADDRESS:7777 that accepts one connection and plays a script against it:
// expect a request text, reply, expect raw bytes, send raw bytes, pause, close or stall.
// It records every byte the client sent, so a test can check the exact stream. After the
// script it reads on until the client closes. A request that does not match ends the script
// (recorded in errors()).
class ScriptedBox final {
public:
    explicit ScriptedBox(const std::string& address);
    ~ScriptedBox();
    ScriptedBox(const ScriptedBox&) = delete;
    ScriptedBox& operator=(const ScriptedBox&) = delete;

    // Each Reply or Send is one write, as a real box answers.
    ScriptedBox& Expect(const std::string& request) { return Add({Step::Expect, request}); }
    ScriptedBox& Reply(const std::string& bytes) { return Add({Step::Reply, bytes}); }
    ScriptedBox& Send(const std::string& bytes) { return Reply(bytes); }
    ScriptedBox& ExpectBytes(std::size_t count) { return Add({Step::ExpectBytes, {}, count}); }
    ScriptedBox& Pause(std::chrono::milliseconds time) { return Add({Step::Pause, {}, 0, time}); }
    ScriptedBox& Close() { return Add({Step::Close, {}}); } // a FIN; the script should stop here
    // Reads on, answers nothing, until the client gives up: what every script ends with.
    ScriptedBox& Stall() { return *this; }
    // A reply without end: `pattern` over and over until the client closes the connection or
    // `limit` bytes went out; flooded() tells how many did.
    ScriptedBox& Flood(const std::string& pattern, std::size_t limit)
    {
        return Add({Step::Flood, pattern, limit});
    }
    std::size_t flooded() const { return flooded_; }

    // Starts serving; call after the script is complete.
    void Start()
    {
        thread_ = std::thread([this] { Serve(); });
    }
    // Waits until the connection is over (the client's operation must have returned).
    void Finish();

    bool accepted() const { return accepted_; }
    std::string received() const
    {
        std::lock_guard lock(mutex_);
        return received_;
    }
    std::vector<std::string> errors() const
    {
        std::lock_guard lock(mutex_);
        return errors_;
    }

private:
    struct Step {
        enum Kind { Expect, Reply, ExpectBytes, Pause, Close, Flood } kind;
        std::string text;
        std::size_t count = 0;
        std::chrono::milliseconds duration{0};
    };
    ScriptedBox& Add(Step step)
    {
        script_.push_back(std::move(step));
        return *this;
    }

    void Serve();
    bool RunScript(int fd);
    bool FloodUntilClosed(int fd, const Step& step);
    // Reads until `count` bytes or until nothing more arrives for a while; returns what came.
    std::string ReadUpTo(int fd, std::size_t count);
    void Record(const char* bytes, std::size_t size);

    int listenFd_ = -1;
    std::vector<Step> script_;
    std::thread thread_;
    std::atomic<bool> clientDone_{false};
    std::atomic<bool> accepted_{false};
    std::atomic<std::size_t> flooded_{0};
    mutable std::mutex mutex_;
    std::string received_;
    std::vector<std::string> errors_;
};
