// Finding a download link in a 1 MB page against a plain substring search
// of the same page for the same text: what case folding, the anchor rules
// and resolution cost over the bare search.
#include <benchmark/benchmark.h>

#include <string>

#include "downloads/LinkText.h"
#include "platform/Text.h"

namespace {

// Rows of links as a download page lists them, the wanted one at the end.
std::u16string MakePage() {
  std::u16string page = u"<html><head><title>Downloads</title></head><body>\n";
  for (int i = 0; page.size() < 1'000'000; ++i) {
    page += u"<div class=\"row\"><a href=\"/files/tool-" + kva::ToDecimal(i) +
            u".zip\" class=\"dl\">Tool build " + kva::ToDecimal(i) + u"</a> <span>Mirror</span></div>\n";
  }
  page += u"<a href=\"/files/latest.exe\">Download latest</a></body></html>";
  return page;
}

void BM_PageSearchPlain_Baseline(benchmark::State& state) {
  const auto page = MakePage();
  for (auto _ : state) benchmark::DoNotOptimize(page.find(u"Download latest"));
}
BENCHMARK(BM_PageSearchPlain_Baseline);

void BM_ParseLinkText(benchmark::State& state) {
  const auto page = MakePage();
  for (auto _ : state) {
    std::u16string url;
    benchmark::DoNotOptimize(kva::ParseLinkText(url, page, u"http://h.test/dl/", u"Download latest", true));
  }
}
BENCHMARK(BM_ParseLinkText);

}  // namespace
