#pragma once

#include "filebrowser/FileEntry.h"
#include "filebrowser/StbDisks.h"
#include "stblink/LinkOptions.h"
#include "stblink/StbConnection.h"
#include "util/MessageService.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A text reply beyond this is a broken box; memory stays bounded whatever it sends.
inline constexpr std::int64_t kMaxStbReplyBytes = 64 * 1024 * 1024;

// Requests on an open connection, for runs that send several over one (folder expansion,
// transfers). Each shows its failure message and gives nothing (or false): a short send
// "Connection failed!", a closed connection "Server disconnected!", a receive error
// "Recv error!", a text reply above kMaxStbReplyBytes "Data error!"; the rest as said below.

// Sends `request` and receives its text reply until `endMarker` has arrived (also when split
// across receives). A receive that is exactly `errorReply` shows `errorMessage`.
std::optional<std::string> RequestText(StbConnection& box, std::string_view request,
                                       std::string_view endMarker, std::string_view errorReply,
                                       MsgId errorMessage, MessageService& messages);
// "SIG_MOUNT_START|DEVICE"; any answer but "SIG_MOUNT_SUCCESS": "USB memory connect error!".
bool RequestMount(StbConnection& box, const std::string& device, MessageService& messages);
// The listing of `boxPath` (from the mount point on, see StbListingPath): its folders, then
// its files, without "..". A refusal: "USB memory info error!"; no end line: "Data error!".
// The names of file lines that could not be taken go to `refusedFiles` when given.
std::optional<std::vector<FileEntry>> RequestListing(StbConnection& box, const std::string& boxPath,
                                                     MessageService& messages,
                                                     std::vector<std::string>* refusedFiles = nullptr);
// "df DEVICE": the device's free bytes. A refusal: "USB memory free space error!"; no end
// line: "Data error!".
std::optional<std::int64_t> RequestFreeSpace(StbConnection& box, const std::string& device,
                                             MessageService& messages);
// The disk report as choices. A refusal: "USB memory info error!"; no end line:
// "Data error!"; no choice in it: "No usb memory connected!".
std::optional<std::vector<StbDisk>> RequestDiskInfo(StbConnection& box, MessageService& messages);

// The file browser's exchanges with one box, each on a connection of its own that is opened
// after the reachability check ("Connection failed!" when the box does not answer) and
// closed before it returns.
class StbStorage final {
public:
    StbStorage(std::string address, MessageService& messages, LinkOptions options = {});

    // A connection for a run of several requests; "Connection failed!" when unreachable.
    std::optional<StbConnection> Connect();

    std::optional<std::vector<StbDisk>> QueryDisks();
    bool Mount(const std::string& device);
    // The rows of a browser folder ("/" or "/a/b"): ".." first below "/", then the listing.
    std::optional<std::vector<FileEntry>> ListFolder(const std::string& stbPath);
    std::optional<std::int64_t> QueryFreeSpace(const std::string& device);
    // "SIG_MOUNT_END" when the box answers the echo; no reply is read, nothing is shown.
    void Unmount();

    const std::string& address() const { return address_; }

private:
    std::string address_;
    MessageService& messages_;
    LinkOptions options_;
};
