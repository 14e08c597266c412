// Window properties by which another process (winprobe, the end-to-end tests) finds and
// reads our forms and controls. Every form and control window carries them; read them with
// GetPropA and, for the atoms, GlobalGetAtomNameA. Numbers are stored with a bias so that
// a stored value is never 0, which GetPropA also returns for a missing property.
#pragma once

#include <cstdint>

namespace kesma::automation {

// Global atoms: the design name ("frmMain", "cmdApply", "optFeedbackSound(2)") and the kind
// ("form", "label", "button", "option", "check", "combo", "hscroll", "frame", "picture",
// "image", "shape"). Atom names ignore case and keep the spelling of their first
// registration, so a kind may read back as "Button": compare them without case.
inline constexpr const char* kNameProp = "KesmaName";
inline constexpr const char* kKindProp = "KesmaKind";
// Colours 0x00BBGGRR + 1, system colours resolved.
inline constexpr const char* kForeProp = "KesmaFore";
inline constexpr const char* kBackProp = "KesmaBack";
// Option and check box value, scroll bar value and range, + kValueBias.
inline constexpr const char* kValueProp = "KesmaValue";
inline constexpr const char* kMinProp = "KesmaMin";
inline constexpr const char* kMaxProp = "KesmaMax";

inline constexpr std::intptr_t kValueBias = 0x40000000;

constexpr std::intptr_t EncodeColor(std::uint32_t bgr) { return static_cast<std::intptr_t>(bgr) + 1; }
constexpr std::uint32_t DecodeColor(std::intptr_t stored) { return static_cast<std::uint32_t>(stored - 1); }
constexpr std::intptr_t EncodeValue(int v) { return static_cast<std::intptr_t>(v) + kValueBias; }
constexpr int DecodeValue(std::intptr_t stored) { return static_cast<int>(stored - kValueBias); }

}  // namespace kesma::automation
