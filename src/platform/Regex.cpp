#include "platform/Regex.h"

#include <pcre2.h>

#include <iterator>
#include <limits>
#include <type_traits>
#include <utility>

namespace kva {
namespace {

static_assert(sizeof(char16_t) == sizeof(PCRE2_UCHAR16) &&
                  alignof(char16_t) == alignof(PCRE2_UCHAR16),
              "UTF-16 text is handed to PCRE2 as its code units");
static_assert(std::is_same_v<pcre2_code, pcre2_real_code_16>,
              "the header names the 16-bit code type");

constexpr std::size_t kNoOffset = std::u16string_view::npos;

struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;

struct MatchContextDeleter {
  void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
using MatchContext = std::unique_ptr<pcre2_match_context, MatchContextDeleter>;

// PCRE2 10.42 refuses a null pointer even with a length of zero, and an
// empty view may have one.
PCRE2_SPTR AsSptr(std::u16string_view text) {
  return reinterpret_cast<PCRE2_SPTR>(text.empty() ? u"" : text.data());
}

std::u16string ErrorMessage(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, std::size(buffer));
  if (length < 0) return u"unknown regular-expression error";
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), std::size_t(length));
}

RegexError MakeError(int code, std::size_t offset) { return {code, offset, ErrorMessage(code)}; }

std::uint32_t CompileOptions(RegexOptions options) {
  // UTF mode for Unicode case folding; invalid UTF-16 in a subject (a lone
  // surrogate from a file or a window text) is searched, not refused.
  std::uint32_t flags = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
  if (HasOption(options, RegexOptions::Caseless)) flags |= PCRE2_CASELESS;
  if (HasOption(options, RegexOptions::DotAll)) flags |= PCRE2_DOTALL;
  if (HasOption(options, RegexOptions::Multiline)) flags |= PCRE2_MULTILINE;
  if (HasOption(options, RegexOptions::Ungreedy)) flags |= PCRE2_UNGREEDY;
  if (HasOption(options, RegexOptions::Extended)) flags |= PCRE2_EXTENDED;
  return flags;
}

MatchData NewMatchData(const pcre2_code* code) {
  return MatchData(pcre2_match_data_create_from_pattern(code, nullptr));
}

int Search(const pcre2_code* code, std::u16string_view subject, std::size_t start,
           std::uint32_t flags, pcre2_match_data* data) {
  return pcre2_match(code, AsSptr(subject), subject.size(), start, flags, data, nullptr);
}

RegexHit MakeHit(std::u16string_view subject, pcre2_match_data* data, std::size_t groupCount) {
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
  RegexHit hit;
  hit.groups.resize(groupCount + 1);
  for (std::size_t i = 0; i <= groupCount; ++i) {
    const PCRE2_SIZE begin = ovector[2 * i], end = ovector[2 * i + 1];
    if (begin == PCRE2_UNSET || end < begin) continue;
    hit.groups[i].position = begin;
    hit.groups[i].text = subject.substr(begin, end - begin);
  }
  return hit;
}

// Where to search after an empty match found nothing longer: one character
// on, where a CR LF newline and a surrogate pair each count as one.
std::size_t NextCharacter(std::u16string_view subject, std::size_t pos, bool crlfIsNewline) {
  if (pos + 1 < subject.size()) {
    const char16_t c = subject[pos], next = subject[pos + 1];
    const bool crlf = crlfIsNewline && c == u'\r' && next == u'\n';
    const bool pair = c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF;
    if (crlf || pair) return pos + 2;
  }
  return pos + 1;
}

// Substitution callout: a negative answer refuses this replacement and
// copies the rest of the subject unchanged.
int StopAfterLimit(pcre2_substitute_callout_block* block, void* limit) {
  return block->subscount <= *static_cast<const std::size_t*>(limit) ? 0 : -1;
}

}  // namespace

void Regex::CodeDeleter::operator()(pcre2_real_code_16* code) const { pcre2_code_free(code); }

std::expected<Regex, RegexError> Regex::Compile(std::u16string_view pattern, RegexOptions options) {
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  pcre2_code* code = pcre2_compile(AsSptr(pattern), pattern.size(), CompileOptions(options),
                                   &errorCode, &errorOffset, nullptr);
  if (code == nullptr) return std::unexpected(MakeError(errorCode, errorOffset));
  Regex regex;
  regex.code_.reset(code);
  std::uint32_t captureCount = 0, newline = 0;
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captureCount);
  pcre2_pattern_info(code, PCRE2_INFO_NEWLINE, &newline);
  regex.groupCount_ = captureCount;
  regex.crlfIsNewline_ = newline == PCRE2_NEWLINE_CRLF || newline == PCRE2_NEWLINE_ANY ||
                         newline == PCRE2_NEWLINE_ANYCRLF;
  regex.emptyPattern_ = pattern.empty();
  return regex;
}

bool Regex::IsMatch(std::u16string_view subject) const {
  if (SkipsEmptySubject(subject)) return false;
  const MatchData data = NewMatchData(code_.get());
  return data && Search(code_.get(), subject, 0, 0, data.get()) >= 0;
}

std::optional<RegexHit> Regex::First(std::u16string_view subject) const {
  if (SkipsEmptySubject(subject)) return std::nullopt;
  const MatchData data = NewMatchData(code_.get());
  if (!data || Search(code_.get(), subject, 0, 0, data.get()) < 0) return std::nullopt;
  return MakeHit(subject, data.get(), groupCount_);
}

std::vector<RegexHit> Regex::All(std::u16string_view subject) const {
  std::vector<RegexHit> hits;
  const MatchData data = NewMatchData(code_.get());
  if (SkipsEmptySubject(subject) || !data) return hits;
  std::size_t start = 0;
  std::uint32_t flags = 0;
  while (start <= subject.size()) {
    const int rc = Search(code_.get(), subject, start, flags, data.get());
    if (rc == PCRE2_ERROR_NOMATCH && flags != 0) {
      start = NextCharacter(subject, start, crlfIsNewline_);
      flags = 0;
      continue;
    }
    if (rc < 0) break;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
    // A match that ends before it starts, or starts before the search did
    // (\K tricks), could repeat for ever.
    if (ovector[1] < ovector[0] || ovector[0] < start) break;
    hits.push_back(MakeHit(subject, data.get(), groupCount_));
    // After an empty match look for a non-empty one at the same place.
    flags = ovector[0] == ovector[1] ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
    start = ovector[1];
  }
  return hits;
}

std::expected<std::u16string, RegexError> Regex::Replace(std::u16string_view subject,
                                                         std::u16string_view replacement,
                                                         std::optional<std::size_t> count) const {
  if (SkipsEmptySubject(subject) || count == 0) return std::u16string(subject);
  MatchContext context;
  std::size_t limit = count.value_or(std::numeric_limits<std::size_t>::max());
  if (count) {
    context.reset(pcre2_match_context_create(nullptr));
    if (!context) return std::unexpected(MakeError(PCRE2_ERROR_NOMEMORY, kNoOffset));
    pcre2_set_substitute_callout(context.get(), StopAfterLimit, &limit);
  }
  const std::uint32_t flags = PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_UNSET_EMPTY;
  // PCRE2 reports a buffer that is too small; double it and substitute again.
  std::u16string out(subject.size() + replacement.size() + 1, u'\0');
  for (;;) {
    PCRE2_SIZE length = out.size();
    const int rc = pcre2_substitute(code_.get(), AsSptr(subject), subject.size(), 0, flags, nullptr,
                                    context.get(), AsSptr(replacement), replacement.size(),
                                    reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
    if (rc >= 0) {
      out.resize(length);
      return out;
    }
    if (rc != PCRE2_ERROR_NOMEMORY) {
      return std::unexpected(MakeError(rc, length == PCRE2_UNSET ? kNoOffset : length));
    }
    out.resize(out.size() * 2);
  }
}

bool RegexMatch(std::u16string_view subject, std::u16string_view pattern) {
  const auto regex = Regex::Compile(pattern, RegexOptions::Caseless);
  return regex && regex->IsMatch(subject);
}

std::optional<RegexHit> RegexFirst(std::u16string_view subject, std::u16string_view pattern,
                                   RegexOptions options) {
  const auto regex = Regex::Compile(pattern, options);
  return regex ? regex->First(subject) : std::nullopt;
}

std::vector<RegexHit> RegexAll(std::u16string_view subject, std::u16string_view pattern,
                               RegexOptions options) {
  const auto regex = Regex::Compile(pattern, options);
  return regex ? regex->All(subject) : std::vector<RegexHit>{};
}

std::expected<std::u16string, RegexError> RegexReplace(std::u16string_view subject,
                                                       std::u16string_view pattern,
                                                       std::u16string_view replacement,
                                                       RegexOptions options,
                                                       std::optional<std::size_t> count) {
  auto regex = Regex::Compile(pattern, options);
  if (!regex) return std::unexpected(std::move(regex.error()));
  return regex->Replace(subject, replacement, count);
}

}  // namespace kva
