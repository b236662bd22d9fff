#pragma once

#include "stbsim/StbSimulator.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <memory>
#include <string>

// A simulated box on its own 127.0.0.N with a fresh state directory, started and quiet.
// `prepare` may fill the state directory before the box opens it.
class TestBox {
public:
    explicit TestBox(int n, DemoSize size = DemoSize::Small,
                     const std::function<void(StbSimulator::Options&)>& prepare = {});
    StbSimulator& sim() { return *sim_; }
    StbSimulator* operator->() { return sim_.get(); }
    const std::string& address() const { return address_; }
    const TempDir& dir() const { return dir_; }
    // The folder of /dev/sda1 in the demo state.
    std::filesystem::path sda1() const;
    // Connects and mounts a device on a connection of its own.
    bool Mount(const std::string& device = "/dev/sda1");

private:
    TempDir dir_;
    std::string address_;
    std::unique_ptr<StbSimulator> sim_;
};

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
