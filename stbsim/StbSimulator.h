#pragma once

#include "chdb/ChannelDatabase.h"
#include "stbsim/DemoDatabase.h"
#include "stbsim/Fault.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A simulated set-top box: a TCP server on one address that answers the program's whole
// request vocabulary from a state directory (see DemoState.h for its layout). Connections
// are served on threads of their own, at most `maxConnections` at a time; the state stays
// consistent across overlapping connections.
//
//   StbSimulator::Options o;
//   o.stateDir = dir; o.address = "127.0.0.61"; o.log = nullptr; // quiet
//   StbSimulator sim(o);
//   if (!sim.Start()) ...;             // binds 127.0.0.61:7777
//   sim.SetFault("SIG_GET_CHDATA", Fault::ShortData(1000));
//   ChannelDatabase now = sim.Database();
//   sim.Stop();                        // also in the destructor
class StbSimulator final {
public:
    struct Options {
        std::filesystem::path stateDir;    // a missing or empty folder gets the demo state
        std::string address = "127.0.0.1"; // IPv4; the box binds only to this address
        std::uint16_t port = 7777;         // 0 picks a free port (see port())
        std::ostream* log = &std::cerr;    // one line per request; nullptr is quiet
        std::uint32_t seed = 1;            // for a demo state made on start
        DemoSize size = DemoSize::Large;
        int maxConnections = 32;                      // beyond that a connection is closed at once
        std::chrono::milliseconds idleTimeout{60000}; // a silent connection is closed
        std::chrono::milliseconds splitPause{200};    // between the halves of a split reply
        std::chrono::milliseconds emptyUploadPause{50};
    };

    explicit StbSimulator(Options options);
    ~StbSimulator();
    StbSimulator(const StbSimulator&) = delete;
    StbSimulator& operator=(const StbSimulator&) = delete;

    // Opens the state and starts serving on background threads. False when the state cannot
    // be used or the address cannot be bound; error() says why.
    bool Start();
    // Closes the listener and every connection (stalls included) and waits for the threads.
    void Stop();
    bool running() const;
    std::string error() const;
    const std::string& address() const;
    std::uint16_t port() const; // the bound port once started

    // The control interface: faults by request keyword, or SIG_COMMAND_START:VERB.
    void SetFault(const std::string& key, Fault fault);
    void ClearFault(const std::string& key);
    void ClearFaults();

    // The database as it is now, e.g. after an upload was applied.
    ChannelDatabase Database() const;
    // Replaces the database (and its files in the state directory).
    bool SetDatabase(const ChannelDatabase& db);
    // The device mounted at /mnt/link_to_pc, if any.
    std::optional<std::string> MountedDevice() const;
    // The host folder that stands for a partition ("/dev/sda1"), empty for an unknown one.
    std::filesystem::path PartitionFolder(const std::string& device) const;
    // The requests received so far (the most recent 10000), in order; upload data blocks
    // show as the request followed by " data".
    std::vector<std::string> Requests() const;

private:
    class Server;
    Options options_;
    FaultTable faults_; // outlives restarts, so faults may be set before Start
    std::string error_;
    std::unique_ptr<Server> server_;
};
