#include "platform/win32/Win32Crypto.h"

#include "platform/CryptoContract.h"

namespace kva {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, CryptoContract,
                         ::testing::Values(CryptoBackend{
                             "Win32", [] { return std::make_unique<win32::Win32Crypto>(); }}),
                         CryptoBackendName);

}  // namespace
}  // namespace kva
