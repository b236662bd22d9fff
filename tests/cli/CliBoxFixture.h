#pragma once

#include "platform/IcmpSocket.h"
#include "tests/cli/CliRunner.h"
#include "tests/stbsim/TestBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

// The box commands use the real reachability check, on loopback; the registry and the
// backups they keep go to the test's folder.
class CliBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IcmpSocket::Open())
            GTEST_SKIP() << "no ICMP socket can be opened here";
        setenv("CHANNELTOOL_REGISTRY", (work / "registry").c_str(), 1);
        setenv("CHANNELTOOL_HISTORY", (work / "history").c_str(), 1);
    }

    // True once the box has been told to release its disk.
    static bool Released(TestBox& box)
    {
        // The box unmounts before it logs the request: wait for both.
        const auto released = [&] { return !box->MountedDevice() && box->Requests().back() == "SIG_MOUNT_END"; };
        for (int i = 0; i < 1000 && !released(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return released();
    }

    TempDir work;
};
