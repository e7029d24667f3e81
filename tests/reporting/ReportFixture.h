#pragma once
// The report store on fakes: a PC with a real serial, an empty tools
// folder, and a prompt that records what it was asked.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/ReferenceCrypto.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeWmi.h"
#include "platform/Resources.h"
#include "reporting/ReportStore.h"

namespace kva::reporttest {

inline constexpr std::u16string_view kStore = u"C:\\Kit\\Kelvara tools\\KVA Reports";
inline constexpr std::u16string_view kMapping = u"C:\\Kit\\Kelvara tools\\KVA Reports\\mapping.ini";

class LogoResources final : public Resources {
 public:
  std::span<const std::uint8_t> Rcdata(int) override { return {}; }
  std::span<const std::uint8_t> Image(int id) override {
    return id == 177 ? std::span<const std::uint8_t>(png) : std::span<const std::uint8_t>();
  }
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G'};
};

struct ReportWorld {
  ReportWorld() {
    clock.now = {2024, 3, 7, 14, 5, 9, 0};
    wmi.rows[u"Select Vendor, Name, IdentifyingNumber from Win32_ComputerSystemProduct"] = {
        {u"Vendor", u"Dell Inc."}, {u"Name", u"OptiPlex 7010"}, {u"IdentifyingNumber", u"ABC"}};
  }

  StartReportResult Start(NewPcPrompt prompt) {
    return StartReport(ports, kStore, u"Kelvara", prompt, session);
  }
  // A prompt that answers a client name and counts its questions.
  NewPcPrompt Answering(std::optional<NewPcAnswer> answer) {
    return [this, answer](const NewPcQuestion& question) {
      asked.push_back(question);
      return answer;
    };
  }
  static NewPcAnswer Client(std::u16string name) {
    return {NewPcAnswer::Kind::kClient, std::move(name), false, false};
  }
  std::string Mapping() { return Utf16Text(kMapping); }
  std::string Utf16Text(std::u16string_view path);

  FakeFileSystem files;
  FakeClock clock;
  FakeRegistry registry;
  FakeWmi wmi;
  ReferenceCrypto crypto;
  LogoResources resources;
  ReportPorts ports{files, clock, resources, wmi, crypto, registry};
  ReportSession session;
  std::vector<NewPcQuestion> asked;
};

class ReportFixture : public ::testing::Test, public ReportWorld {};

}  // namespace kva::reporttest
