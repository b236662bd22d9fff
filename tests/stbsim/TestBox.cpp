#include "tests/stbsim/TestBox.h"

#include "tests/stbsim/BoxClient.h"

#include <fstream>
#include <sstream>

TestBox::TestBox(int n, DemoSize size, const std::function<void(StbSimulator::Options&)>& prepare)
    : address_(TestAddress(n))
{
    StbSimulator::Options options;
    options.stateDir = dir_.path() / "state";
    options.address = address_;
    options.log = nullptr;
    options.size = size;
    options.splitPause = std::chrono::milliseconds(100);
    if (prepare)
        prepare(options);
    sim_ = std::make_unique<StbSimulator>(options);
    sim_->Start();
}

std::filesystem::path TestBox::sda1() const
{
    return dir_.path() / "state/disks/sda1";
}

bool TestBox::Mount(const std::string& device)
{
    BoxClient client(address_);
    return client.Ask("SIG_MOUNT_START|" + device) == "SIG_MOUNT_SUCCESS";
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}
