#pragma once
// The PC's identity: a vendor, make and model text for people, and a
// fingerprint that names the PC in the report store, the MD5 of its
// firmware serial number. Computed afresh whenever it is needed.

#include <string>
#include <string_view>

namespace kva {

class Crypto;
class Registry;
class Wmi;

struct PcIdentity {
  std::u16string description;  // vendor, make and model; may be empty
  std::u16string serial;       // the text the fingerprint is made from
  std::u16string fingerprint;  // 32 upper-case hexadecimal digits
};

// Texts firmware makers leave in place of a serial number, shared by
// countless machines: empty, "To be filled by O.E.M.", "Default string",
// "None", "0", one character repeated, and the like.
bool IsPlaceholderSerial(std::u16string_view serial);

// The product's serial, else the board's, else the BIOS's, skipping
// placeholders; when every one is a placeholder, the Windows
// installation's MachineGuid, so that two such PCs still differ. False,
// and out untouched, when there is nothing to hash.
bool ComputePcIdentity(Wmi& wmi, Crypto& crypto, Registry& registry, PcIdentity& out);

}  // namespace kva
