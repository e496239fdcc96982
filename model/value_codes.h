#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qzd {

inline constexpr std::string_view kIntegerOverflow = "Integer overflow";
inline constexpr std::string_view kRangeCheckError = "Range check error";

// The outcome of one text form: a text, no text at all (SwitchText of a code without a name),
// or an error whose message is kIntegerOverflow or kRangeCheckError.
struct FieldText {
  std::optional<std::string> text;
  std::string_view error;  // empty unless the form failed

  [[nodiscard]] bool failed() const noexcept { return !error.empty(); }
  friend bool operator==(const FieldText&, const FieldText&) = default;
};

extern const std::array<std::string_view, 8> ChannelNames;
extern const std::array<std::string_view, 9> SwitchNames;
inline constexpr std::string_view kSwitchMiddleName = "4 PH/AUX2 |-|";

[[nodiscard]] std::int32_t SignedValue(std::int32_t code) noexcept;
[[nodiscard]] std::int32_t ExpoValue(std::int32_t code) noexcept;

[[nodiscard]] FieldText PlainText(std::int32_t v);
[[nodiscard]] FieldText SignedText(std::int32_t v);
[[nodiscard]] FieldText ExpoText(std::int32_t v);
[[nodiscard]] FieldText DoubledText(std::int32_t v);
[[nodiscard]] FieldText TimesFiveText(std::int32_t v);
[[nodiscard]] FieldText ModeText(std::int32_t v);
[[nodiscard]] FieldText ServoNumberText(std::int32_t v);
[[nodiscard]] FieldText ChannelText(std::int32_t v);
[[nodiscard]] FieldText SwitchText(std::int32_t v);

// The same text forms, writing into `out` rather than returning a new string, so that a fill can
// write each text straight into its action. `out` is replaced on success and left as it was
// otherwise.
struct WriteResult {
  bool hasText = true;     // false for SwitchText of a code without a name
  std::string_view error;  // empty unless the form failed

  [[nodiscard]] bool failed() const noexcept { return !error.empty(); }
};

WriteResult WritePlainText(std::int32_t v, std::string& out);
WriteResult WriteSignedText(std::int32_t v, std::string& out);
WriteResult WriteExpoText(std::int32_t v, std::string& out);
WriteResult WriteDoubledText(std::int32_t v, std::string& out);
WriteResult WriteTimesFiveText(std::int32_t v, std::string& out);
WriteResult WriteModeText(std::int32_t v, std::string& out);
WriteResult WriteServoNumberText(std::int32_t v, std::string& out);
WriteResult WriteChannelText(std::int32_t v, std::string& out);
WriteResult WriteSwitchText(std::int32_t v, std::string& out);

// The FieldText of a writing form.
[[nodiscard]] FieldText ToFieldText(WriteResult (*write)(std::int32_t, std::string&),
                                    std::int32_t v);

}  // namespace qzd
