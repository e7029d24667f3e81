#include "reporting/PcIdentity.h"

#include <algorithm>
#include <array>

#include "platform/CryptoText.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "platform/Wmi.h"

namespace kva {
namespace {

constexpr std::u16string_view kFirmwarePlaceholder = u"To be filled ";

constexpr std::u16string_view kPlaceholderSerials[] = {
    u"To be filled by O.E.M.", u"Default string", u"System Serial Number",
    u"Base Board Serial Number", u"Chassis Serial Number", u"None", u"Not Specified",
    u"Not Applicable", u"N/A", u"Unknown", u"Invalid", u"123456789", u"O.E.M.",
};

constexpr std::u16string_view kProductQuery =
    u"Select Vendor, Name, IdentifyingNumber from Win32_ComputerSystemProduct";
constexpr std::u16string_view kBoardQuery =
    u"Select Manufacturer, Product, SerialNumber, Version from Win32_BaseBoard";
constexpr std::u16string_view kBiosQuery = u"Select SerialNumber from Win32_BIOS";
constexpr std::u16string_view kMachineGuidKey = u"HKLM64\\SOFTWARE\\Microsoft\\Cryptography";

// A maker's name that is itself a placeholder says nothing of the model.
bool IsNamedMaker(std::u16string_view maker) {
  return !maker.empty() && !StartsWithNoCase(maker, kFirmwarePlaceholder);
}

std::u16string SerialOrNothing(std::u16string serial) {
  return IsPlaceholderSerial(serial) ? std::u16string() : serial;
}

void ReadProduct(Wmi& wmi, PcIdentity& id) {
  constexpr std::array<std::u16string_view, 3> kNames{u"Vendor", u"Name", u"IdentifyingNumber"};
  const auto row = wmi.FirstRow(kProductQuery, kNames);
  if (!row) return;
  const auto& vendor = (*row)[0];
  id.description = IsNamedMaker(vendor) ? vendor + u" " + (*row)[1] : u"";
  id.serial = SerialOrNothing((*row)[2]);
}

void ReadBoard(Wmi& wmi, PcIdentity& id) {
  constexpr std::array<std::u16string_view, 4> kNames{u"Manufacturer", u"Product", u"SerialNumber",
                                                      u"Version"};
  const auto row = wmi.FirstRow(kBoardQuery, kNames);
  if (!row) return;
  if (id.description.empty()) {
    const auto& maker = (*row)[0];
    id.description = IsNamedMaker(maker) ? maker + u" " + (*row)[1] + u" " + (*row)[3] : u"";
  }
  if (id.serial.empty()) id.serial = SerialOrNothing((*row)[2]);
}

void ReadBios(Wmi& wmi, PcIdentity& id) {
  constexpr std::array<std::u16string_view, 1> kNames{u"SerialNumber"};
  if (const auto row = wmi.FirstRow(kBiosQuery, kNames)) id.serial = SerialOrNothing((*row)[0]);
}

std::u16string MachineGuid(Registry& registry) {
  RegKey key(registry);
  std::u16string guid;
  if (!Open(key, kMachineGuidKey, reg::kRead) || !ReadString(key, u"MachineGuid", guid)) return {};
  return std::u16string(Trim(guid));
}

}  // namespace

bool IsPlaceholderSerial(std::u16string_view serial) {
  const std::u16string_view text = Trim(serial);
  if (text.empty() || StartsWithNoCase(text, kFirmwarePlaceholder)) return true;
  if (std::all_of(text.begin(), text.end(), [&](char16_t c) { return c == text[0]; })) return true;
  return std::any_of(std::begin(kPlaceholderSerials), std::end(kPlaceholderSerials),
                     [&](std::u16string_view known) { return EqualsNoCase(text, known); });
}

bool ComputePcIdentity(Wmi& wmi, Crypto& crypto, Registry& registry, PcIdentity& out) {
  PcIdentity id;
  ReadProduct(wmi, id);
  if (id.description.empty() || id.serial.empty()) ReadBoard(wmi, id);
  if (id.serial.empty()) ReadBios(wmi, id);
  if (id.serial.empty()) id.serial = MachineGuid(registry);
  if (id.serial.empty()) return false;
  id.fingerprint = HashHex(crypto, id.serial);
  if (id.fingerprint.empty()) return false;
  out = std::move(id);
  return true;
}

}  // namespace kva
