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

    ScriptedBox& Expect(const std::string& request);
    ScriptedBox& Reply(const std::string& bytes); // one write, as a real box answers
    ScriptedBox& ExpectBytes(std::size_t count);
    ScriptedBox& Send(const std::string& bytes) { return Reply(bytes); }
    ScriptedBox& Pause(std::chrono::milliseconds duration);
    ScriptedBox& Close(); // ends the box's side; the script should stop here
    ScriptedBox& Stall(); // reads nothing, answers nothing, until the client gives up

    // Starts serving; call after the script is complete.
    void Start();
    // Waits until the connection is over (the client's operation must have returned).
    void Finish();

    bool accepted() const { return accepted_; }
    std::string received() const;
    std::vector<std::string> errors() const;
    const std::string& address() const { return address_; }

private:
    struct Step {
        enum Kind { Expect, Reply, ExpectBytes, Pause, Close, Stall } kind;
        std::string text;
        std::size_t count = 0;
        std::chrono::milliseconds duration{0};
    };

    void Serve();
    bool RunScript(int fd);
    // Reads until `count` bytes or until nothing more arrives for `quiet`; returns what came.
    std::string ReadUpTo(int fd, std::size_t count, std::chrono::milliseconds quiet);
    void Record(const std::string& bytes);
    void AddError(const std::string& error);

    std::string address_;
    int listenFd_ = -1;
    std::vector<Step> script_;
    std::thread thread_;
    std::atomic<bool> clientDone_{false};
    std::atomic<bool> accepted_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::vector<std::string> errors_;
};
