#pragma once
// The program's own ZIP extraction, for when 7-Zip's extractor is not in
// the tools folder: stored and deflated entries, ZipCrypto passwords. All
// reading and writing goes through the FileSystem port.

#include <expected>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace kva {

enum class ZipError {
  kUnreadable,        // the archive file could not be read
  kNotAZip,           // no ZIP directory: another format, truncated or garbage
  kDamaged,           // an entry's data is cut short or fails its checksum
  kUnsupportedEntry,  // a method other than stored or deflate, strong or AES
                      // encryption, or an entry over 1 GiB
  kWrongPassword,     // an encrypted entry without a password or with a wrong one
  kUnsafeEntry,       // a name that would land outside the destination
  kWriteFailed,       // the destination or a file in it could not be written
};

struct ZipFailure {
  ZipError error = ZipError::kNotAZip;
  std::u16string entry;  // the entry's stored name; empty for the whole archive
};

// Extracts every entry of the archive into destination (created with its
// missing parents), overwriting files of the same name; slashes in entry
// names become backslashes. Nothing at all is written unless every entry
// has a safe name and reads back whole with its right checksum, so a wrong
// password, a damaged archive or one hostile name leaves the disk as it
// was; only a write failure midway can leave the entries written before
// it. Each file is written beside its final name and renamed into place.
// The password is taken as UTF-8 bytes. ZipCrypto cannot tell a wrong
// password from damaged encrypted data: both give kWrongPassword.
[[nodiscard]] std::expected<void, ZipFailure> ExtractZip(FileSystem& files,
                                                         std::u16string_view archive,
                                                         std::u16string_view destination,
                                                         std::u16string_view password);

}  // namespace kva
