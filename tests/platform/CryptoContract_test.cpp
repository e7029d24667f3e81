#include "platform/CryptoContract.h"

#include <string>
#include <string_view>
#include <vector>

#include "fakes/ReferenceCrypto.h"
#include "platform/CryptoText.h"
#include "platform/Text.h"

namespace kva {

std::string CryptoBackendName(const ::testing::TestParamInfo<CryptoBackend>& info) {
  return info.param.name;
}

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> FromHexText(std::string_view hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

std::string Hex(std::span<const std::uint8_t> bytes) { return Utf16ToUtf8(ToHex(bytes)); }

constexpr std::string_view kTestKey = "0123456789ABCDEF0123456789ABCDEF";

TEST_P(CryptoContract, Md5KnownAnswers) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    const char* want;
  };
  const Case cases[] = {
      {"empty", {}, "D41D8CD98F00B204E9800998ECF8427E"},
      {"abc", Bytes("abc"), "900150983CD24FB0D6963F7D28E17F72"},
      {"ABC as UTF-16LE", {0x41, 0, 0x42, 0, 0x43, 0}, "716774B53A92B98525BBA179A159CC71"},
      {"two blocks", Bytes("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16ToUtf8(HashHex(Provider(), c.data)), c.want);
  }
  EXPECT_EQ(Utf16ToUtf8(HashHex(Provider(), u"ABC")), "716774B53A92B98525BBA179A159CC71")
      << "a text hashes as its UTF-16 code units";
}

// NIST SP 800-38A F.2.5, plus the PKCS #7 block a whole-block input gets.
TEST_P(CryptoContract, Aes256CbcKnownAnswer) {
  const auto key = FromHexText("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
  const auto iv = FromHexText("000102030405060708090a0b0c0d0e0f");
  const auto plain = FromHexText(
      "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
      "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
  const std::string want =
      "F58C4C04D6E5F1BA779EABFB5F7BFBD69CFC4E967EDB808D679F777BC6702C7D"
      "39F23369A9D9BACFA530E26304231461B2EB05E2C39BE9FCDA6C19078C6A9D1B"
      "3F461796D6B0D6B2E0C2A72B4D80E644";
  const auto cipher = Provider().EncryptAes256Cbc(key, iv, plain);
  ASSERT_TRUE(cipher);
  EXPECT_EQ(Hex(*cipher), want);
  const auto back = Provider().DecryptAes256Cbc(key, iv, *cipher);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, plain);
}

TEST_P(CryptoContract, RefusesBadKeysAndBrokenCipherText) {
  const auto key = Bytes(kTestKey);
  const auto iv = Bytes(kCipherIv);
  EXPECT_FALSE(Provider().EncryptAes256Cbc(Bytes("short key"), iv, Bytes("x")));
  EXPECT_FALSE(Provider().EncryptAes256Cbc(key, Bytes("short"), Bytes("x")));
  auto cipher = Provider().EncryptAes256Cbc(key, iv, Bytes("secret"));
  ASSERT_TRUE(cipher);
  EXPECT_FALSE(Provider().DecryptAes256Cbc(key, iv, std::span(*cipher).first(15))) << "not a block";
  (*cipher)[15] ^= 0x55;  // the padding no longer checks out
  EXPECT_FALSE(Provider().DecryptAes256Cbc(key, iv, *cipher));
}

TEST_P(CryptoContract, TextsRoundTripAsUpperCaseHex) {
  struct Case {
    const char* name;
    std::u16string text;
    CipherText form;
    std::size_t hexDigits;
  };
  const Case cases[] = {
      {"15 UTF-8 bytes fit one block", u"abcdefghijklmno", CipherText::kUtf8, 32},
      {"16 take two", u"abcdefghijklmnop", CipherText::kUtf8, 64},
      {"accents as UTF-8", u"Caf\u00e9 \u00e0 c\u00f4t\u00e9", CipherText::kUtf8, 32},
      {"seven UTF-16 characters fit one block", u"p\u00e4sswrd", CipherText::kUtf16Le, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string hex, back;
    ASSERT_TRUE(EncryptText(Provider(), c.text, hex, kTestKey, c.form));
    EXPECT_EQ(hex.size(), c.hexDigits);
    EXPECT_EQ(hex.find_first_not_of(u"0123456789ABCDEF"), std::u16string::npos);
    ASSERT_TRUE(DecryptText(Provider(), hex, back, kTestKey, c.form));
    EXPECT_EQ(back, c.text);
    ASSERT_TRUE(DecryptText(Provider(), u"0x" + hex, back, kTestKey, c.form)) << "prefix accepted";
    EXPECT_EQ(back, c.text);
  }
  std::u16string hex;
  ASSERT_TRUE(EncryptText(Provider(), u"Kelvara", hex, kTestKey, CipherText::kUtf8));
  EXPECT_EQ(Utf16ToUtf8(hex), "977A27E2451707BE7D7FC850DF428E68");
}

TEST_P(CryptoContract, BadTextInputFailsAndLeavesOutputAlone) {
  std::u16string out = u"kept";
  EXPECT_FALSE(EncryptText(Provider(), u"", out, kTestKey, CipherText::kUtf8)) << "empty text";
  EXPECT_FALSE(EncryptText(Provider(), u"x", out, "short", CipherText::kUtf8)) << "key length";
  for (std::u16string_view bad : {u"977A27E2451707BE", u"0x977A27E2451707", u"977A27E2451707BE7D7FC850DF428E6",
                                  u"977A27E2451707BE7D7FC850DF428EZZ", u""}) {
    SCOPED_TRACE(Utf16ToUtf8(bad));
    EXPECT_FALSE(DecryptText(Provider(), bad, out, kTestKey, CipherText::kUtf8));
  }
  EXPECT_EQ(out, u"kept");
}

INSTANTIATE_TEST_SUITE_P(Reference, CryptoContract,
                         ::testing::Values(CryptoBackend{
                             "Reference", [] { return std::make_unique<ReferenceCrypto>(); }}),
                         CryptoBackendName);

}  // namespace
}  // namespace kva
