#include "chdb/ChannelInfo.h"

#include "chdb/FixedText.h"
#include "util/ByteOrder.h"

#include <algorithm>

ChannelInfo::ChannelInfo(std::span<const std::uint8_t, kSize> bytes)
{
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::uint16_t ChannelInfo::satelliteId() const { return le::U16(bytes_, 0); }
void ChannelInfo::setSatelliteId(std::uint16_t id) { le::SetU16(bytes_, 0, id); }
std::uint16_t ChannelInfo::transponderId() const { return le::U16(bytes_, 2); }
void ChannelInfo::setTransponderId(std::uint16_t id) { le::SetU16(bytes_, 2, id); }
std::uint16_t ChannelInfo::serviceId() const { return le::U16(bytes_, 4); }
void ChannelInfo::setServiceId(std::uint16_t id) { le::SetU16(bytes_, 4, id); }
std::uint16_t ChannelInfo::pmtPid() const { return le::U16(bytes_, 6); }
void ChannelInfo::setPmtPid(std::uint16_t pid) { le::SetU16(bytes_, 6, pid); }
std::uint16_t ChannelInfo::videoPid() const { return le::U16(bytes_, 8); }
void ChannelInfo::setVideoPid(std::uint16_t pid) { le::SetU16(bytes_, 8, pid); }
std::uint16_t ChannelInfo::audioPid() const { return le::U16(bytes_, 10); }
void ChannelInfo::setAudioPid(std::uint16_t pid) { le::SetU16(bytes_, 10, pid); }
std::uint16_t ChannelInfo::pcrPid() const { return le::U16(bytes_, 12); }
void ChannelInfo::setPcrPid(std::uint16_t pid) { le::SetU16(bytes_, 12, pid); }
std::uint16_t ChannelInfo::word14() const { return le::U16(bytes_, 14); }
void ChannelInfo::setWord14(std::uint16_t value) { le::SetU16(bytes_, 14, value); }
std::uint16_t ChannelInfo::word16() const { return le::U16(bytes_, 16); }
void ChannelInfo::setWord16(std::uint16_t value) { le::SetU16(bytes_, 16, value); }
std::uint16_t ChannelInfo::word18() const { return le::U16(bytes_, 18); }
void ChannelInfo::setWord18(std::uint16_t value) { le::SetU16(bytes_, 18, value); }
std::uint32_t ChannelInfo::casMask() const { return le::U32(bytes_, 20); }
void ChannelInfo::setCasMask(std::uint32_t mask) { le::SetU32(bytes_, 20, mask); }
std::uint8_t ChannelInfo::type() const { return bytes_[24]; }
void ChannelInfo::setType(std::uint8_t type) { bytes_[24] = type; }
std::uint8_t ChannelInfo::lock() const { return bytes_[26]; }
void ChannelInfo::setLock(std::uint8_t lock) { bytes_[26] = lock; }
std::uint16_t ChannelInfo::key() const { return le::U16(bytes_, 32); }
void ChannelInfo::setKey(std::uint16_t key) { le::SetU16(bytes_, 32, key); }

std::string ChannelInfo::name() const
{
    return ReadFixedText(bytes().subspan(kNameOffset, kNameSize));
}

void ChannelInfo::setName(std::string_view bytes)
{
    WriteFixedText(this->bytes().subspan(kNameOffset, kNameSize), bytes);
}

std::uint8_t ChannelInfo::selector() const
{
    return IsSelectorByte(bytes_[kNameOffset]) ? bytes_[kNameOffset] : 0;
}

std::string ChannelInfo::visibleName() const
{
    std::string stored = name();
    if (!stored.empty() && IsSelectorByte(static_cast<std::uint8_t>(stored[0])))
        stored.erase(0, 1);
    return stored;
}
