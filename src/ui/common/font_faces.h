// The font faces the editor's texts ask for, and their stand-ins where missing.
#pragma once

// The faces of symbol labels and page texts, and of the smaller texts.
inline constexpr const char* kLabelFace = "ＭＳ ゴシック";
inline constexpr const char* kSmallFace = "ＭＳ Ｐゴシック";

// Maps the label faces to installed Japanese faces where they are missing,
// so that labels never fall back to a font without Japanese glyphs.
void RegisterFontSubstitutions();
