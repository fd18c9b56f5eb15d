// Menu command ids shared by the main window, the tool bar and the work area.
#pragma once

namespace CommandId {
inline constexpr int New = 32778;
inline constexpr int Open = 32780;
inline constexpr int Save = 32782;
inline constexpr int SaveAs = 32784;
inline constexpr int ChangeSettings = 32787;  // context menu only
inline constexpr int Print = 32788;
inline constexpr int Undo = 32792;
inline constexpr int Cut = 32796;
inline constexpr int Copy = 32798;
inline constexpr int Paste = 32800;
inline constexpr int PasteHere = 32801;  // context menu only
inline constexpr int Delete = 32802;
inline constexpr int SelectAll = 32805;
inline constexpr int WholeView = 32807;
inline constexpr int NormalView = 32809;
}  // namespace CommandId
