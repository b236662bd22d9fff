#include "chdb/TpInfo.h"

#include "util/ByteOrder.h"

#include <algorithm>

TpInfo::TpInfo(std::span<const std::uint8_t, kSize> bytes)
{
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::uint16_t TpInfo::id() const { return le::U16(bytes_, 0); }
void TpInfo::setId(std::uint16_t id) { le::SetU16(bytes_, 0, id); }
std::uint16_t TpInfo::satelliteId() const { return le::U16(bytes_, 2); }
void TpInfo::setSatelliteId(std::uint16_t id) { le::SetU16(bytes_, 2, id); }
std::uint16_t TpInfo::frequency() const { return le::U16(bytes_, 28); }
void TpInfo::setFrequency(std::uint16_t mhz) { le::SetU16(bytes_, 28, mhz); }
std::uint16_t TpInfo::symbolRate() const { return le::U16(bytes_, 30); }
void TpInfo::setSymbolRate(std::uint16_t rate) { le::SetU16(bytes_, 30, rate); }
std::uint8_t TpInfo::fec() const { return bytes_[32]; }
void TpInfo::setFec(std::uint8_t code) { bytes_[32] = code; }
std::uint8_t TpInfo::polarization() const { return bytes_[33]; }
void TpInfo::setPolarization(std::uint8_t polarization) { bytes_[33] = polarization; }
std::uint8_t TpInfo::pilot() const { return bytes_[34]; }
void TpInfo::setPilot(std::uint8_t pilot) { bytes_[34] = pilot; }
