#pragma once
// Regular expressions: the one wrapper around PCRE2's 16-bit library.
//
// Contract, for the compiled Regex and the plain helpers alike:
// - Patterns and subjects are UTF-16. Patterns compile in UTF mode, so
//   Caseless folds beyond ASCII ("É" matches "é"); a subject holding lone
//   surrogates is still searched (they match only themselves).
// - A pattern that does not compile is a failure with PCRE2's message and
//   the offset in the pattern, never a crash.
// - An empty subject matches only an empty pattern.
// - Positions are 0-based code-unit offsets into the subject.
// - A search PCRE2 gives up on (match or depth limit) counts as no match.
// - Substitution understands $n, ${n}, ${name} and $$; a group that did not
//   take part in the match inserts nothing.
//
// Patterns of fixed texts are compiled once by their user and kept: a Regex
// is one pointer plus a few words, move-only, and its const members may be
// called from several threads at once (each call has its own match data).

#include <cstddef>
#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pcre2_real_code_16;

namespace kva {

enum class RegexOptions : std::uint32_t {
  None = 0,
  Caseless = 1u << 0,
  DotAll = 1u << 1,     // "." matches line ends too
  Multiline = 1u << 2,  // ^ and $ at every line
  Ungreedy = 1u << 3,   // quantifiers lazy unless followed by "?"
  Extended = 1u << 4,   // blanks and # comments in the pattern are ignored
};

constexpr RegexOptions operator|(RegexOptions a, RegexOptions b) {
  return RegexOptions(std::uint32_t(a) | std::uint32_t(b));
}
constexpr bool HasOption(RegexOptions set, RegexOptions option) {
  return (std::uint32_t(set) & std::uint32_t(option)) != 0;
}

struct RegexError {
  int code = 0;            // PCRE2's error number
  std::size_t offset = 0;  // in the pattern, or in a replacement (npos when PCRE2 names none)
  std::u16string message;
};

struct RegexGroup {
  std::size_t position = std::u16string_view::npos;  // npos: the group did not take part
  std::u16string text;
  bool Matched() const { return position != std::u16string_view::npos; }
};

struct RegexHit {
  // [0] is the whole match, [n] capture group n; always GroupCount() + 1 entries.
  std::vector<RegexGroup> groups;
  const std::u16string& Text() const { return groups[0].text; }
  std::size_t Position() const { return groups[0].position; }
};

class Regex {
 public:
  [[nodiscard]] static std::expected<Regex, RegexError> Compile(
      std::u16string_view pattern, RegexOptions options = RegexOptions::None);

  Regex(Regex&&) noexcept = default;
  Regex& operator=(Regex&&) noexcept = default;
  ~Regex() = default;

  [[nodiscard]] bool IsMatch(std::u16string_view subject) const;
  [[nodiscard]] std::optional<RegexHit> First(std::u16string_view subject) const;
  // Every match from left to right; an empty match is followed by a search
  // one character further on (a CR LF pair or a surrogate pair is one).
  [[nodiscard]] std::vector<RegexHit> All(std::u16string_view subject) const;
  // Replaces every match, or the first count matches when count is given.
  // A bad replacement (such as "$9" with fewer groups) is a failure.
  [[nodiscard]] std::expected<std::u16string, RegexError> Replace(
      std::u16string_view subject, std::u16string_view replacement,
      std::optional<std::size_t> count = std::nullopt) const;

  [[nodiscard]] std::size_t GroupCount() const { return groupCount_; }

 private:
  struct CodeDeleter {
    void operator()(pcre2_real_code_16* code) const;
  };

  Regex() = default;
  bool SkipsEmptySubject(std::u16string_view subject) const {
    return subject.empty() && !emptyPattern_;
  }

  std::unique_ptr<pcre2_real_code_16, CodeDeleter> code_;
  std::size_t groupCount_ = 0;
  bool crlfIsNewline_ = false;
  bool emptyPattern_ = false;
};

// Plain helpers that compile on every call, for patterns that are not fixed
// texts. A pattern that does not compile matches nothing (RegexReplace
// reports the error); Regex::Compile tells why.
bool RegexMatch(std::u16string_view subject, std::u16string_view pattern);  // caseless
std::optional<RegexHit> RegexFirst(std::u16string_view subject, std::u16string_view pattern,
                                   RegexOptions options = RegexOptions::None);
std::vector<RegexHit> RegexAll(std::u16string_view subject, std::u16string_view pattern,
                               RegexOptions options = RegexOptions::None);
std::expected<std::u16string, RegexError> RegexReplace(
    std::u16string_view subject, std::u16string_view pattern, std::u16string_view replacement,
    RegexOptions options = RegexOptions::None, std::optional<std::size_t> count = std::nullopt);

}  // namespace kva
