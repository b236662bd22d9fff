#include "chdb/SatInfo.h"

#include "chdb/FixedText.h"
#include "util/ByteOrder.h"

#include <algorithm>

SatInfo::SatInfo(std::span<const std::uint8_t, kSize> bytes)
{
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

std::uint16_t SatInfo::id() const { return le::U16(bytes_, 0); }
void SatInfo::setId(std::uint16_t id) { le::SetU16(bytes_, 0, id); }
std::string SatInfo::name() const { return ReadFixedText(bytes().subspan(2, kNameSize)); }
void SatInfo::setName(std::string_view name) { WriteFixedText(bytes().subspan(2, kNameSize), name); }
std::uint16_t SatInfo::position() const { return le::U16(bytes_, 26); }
void SatInfo::setPosition(std::uint16_t position) { le::SetU16(bytes_, 26, position); }
std::uint8_t SatInfo::lnbType() const { return bytes_[28]; }
void SatInfo::setLnbType(std::uint8_t type) { bytes_[28] = type; }
std::uint16_t SatInfo::lnbLow() const { return le::U16(bytes_, 30); }
void SatInfo::setLnbLow(std::uint16_t mhz) { le::SetU16(bytes_, 30, mhz); }
std::uint16_t SatInfo::lnbHigh() const { return le::U16(bytes_, 32); }
void SatInfo::setLnbHigh(std::uint16_t mhz) { le::SetU16(bytes_, 32, mhz); }
std::uint8_t SatInfo::tone22k() const { return bytes_[34]; }
void SatInfo::setTone22k(std::uint8_t mode) { bytes_[34] = mode; }
std::uint8_t SatInfo::diseqc() const { return bytes_[36]; }
void SatInfo::setDiseqc(std::uint8_t mode) { bytes_[36] = mode; }
std::uint8_t SatInfo::diseqc11Port() const { return bytes_[37]; }
void SatInfo::setDiseqc11Port(std::uint8_t port) { bytes_[37] = port; }
std::uint8_t SatInfo::lnbPower() const { return bytes_[38]; }
void SatInfo::setLnbPower(std::uint8_t mode) { bytes_[38] = mode; }
std::uint8_t SatInfo::transponderCount() const { return bytes_[39]; }
void SatInfo::setTransponderCount(std::uint8_t count) { bytes_[39] = count; }
std::uint8_t SatInfo::positioner() const { return bytes_[40]; }
void SatInfo::setPositioner(std::uint8_t position) { bytes_[40] = position; }
