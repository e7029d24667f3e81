#include "platform/win32/Win32Wmi.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include "platform/Text.h"

namespace kva::win32 {
namespace {

class Win32WmiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { ::CoUninitialize(); }
};

constexpr std::u16string_view kProduct[] = {u"Vendor", u"Name", u"IdentifyingNumber", u"NoSuchProperty"};

// Wine answers these classes with fixed values (see the Wine notes).
TEST_F(Win32WmiTest, ReadsTheFirstRowAsTextOverOneConnection) {
  Win32Wmi wmi(u"ROOT\\CIMV2");
  const auto product =
      wmi.FirstRow(u"Select Vendor, Name, IdentifyingNumber from Win32_ComputerSystemProduct", kProduct);
  ASSERT_TRUE(product);
  ASSERT_EQ(product->size(), 4u);
  EXPECT_FALSE((*product)[0].empty()) << "vendor";
  EXPECT_FALSE((*product)[2].empty()) << "serial";
  EXPECT_EQ((*product)[3], u"") << "an unknown property reads empty";

  constexpr std::u16string_view kSerial[] = {u"SerialNumber"};
  EXPECT_TRUE(wmi.FirstRow(u"Select SerialNumber from Win32_BIOS", kSerial)) << "the same connection again";
  EXPECT_FALSE(wmi.FirstRow(u"Select Nothing from NoSuchClass", kSerial));
  EXPECT_FALSE(wmi.FirstRow(u"this is not WQL", kSerial));
}

TEST_F(Win32WmiTest, AMissingNamespaceYieldsNoRows) {
  Win32Wmi wmi(u"ROOT\\NoSuchNamespace");
  constexpr std::u16string_view kSerial[] = {u"SerialNumber"};
  EXPECT_FALSE(wmi.FirstRow(u"Select SerialNumber from Win32_BIOS", kSerial));
  EXPECT_FALSE(wmi.FirstRow(u"Select SerialNumber from Win32_BIOS", kSerial));
}

}  // namespace
}  // namespace kva::win32
