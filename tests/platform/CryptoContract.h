#pragma once
// The crypto port's contract, one suite for every backend: the reference
// natively, the CryptoAPI adapter under Wine.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "platform/Crypto.h"

namespace kva {

struct CryptoBackend {
  const char* name;
  std::function<std::unique_ptr<Crypto>()> make;
  friend void PrintTo(const CryptoBackend& backend, std::ostream* out) { *out << backend.name; }
};

class CryptoContract : public ::testing::TestWithParam<CryptoBackend> {
 protected:
  void SetUp() override { crypto_ = GetParam().make(); }
  Crypto& Provider() { return *crypto_; }

 private:
  std::unique_ptr<Crypto> crypto_;
};

std::string CryptoBackendName(const ::testing::TestParamInfo<CryptoBackend>& info);

}  // namespace kva
