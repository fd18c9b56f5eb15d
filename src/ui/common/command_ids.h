// The editor's command ids: its menu items, the tool bar's buttons, its keys
// and the work area's context menu all post these.
#pragma once

namespace CommandId {
// ファイル
inline constexpr int New = 32778;
inline constexpr int Open = 32780;
inline constexpr int Save = 32782;
inline constexpr int SaveAs = 32784;
inline constexpr int Print = 32788;
inline constexpr int ExportPicture = 32789;
inline constexpr int Exit = 32790;
// 編集
inline constexpr int Undo = 32792;
inline constexpr int Cut = 32796;
inline constexpr int Copy = 32798;
inline constexpr int Paste = 32800;
inline constexpr int Delete = 32802;
inline constexpr int SelectAll = 32805;
// Context menu only.
inline constexpr int ChangeSettings = 32787;
inline constexpr int PasteHere = 32801;
// 表示
inline constexpr int WholeView = 32807;
inline constexpr int NormalView = 32809;
// 通信
inline constexpr int Run = 32817;
inline constexpr int Transfer = 32818;
inline constexpr int Check = 32819;
inline constexpr int StopReset = 32820;
inline constexpr int Redetect = 32822;
inline constexpr int Detach = 32825;
inline constexpr int ConnectVirtual = 32862;
inline constexpr int DisconnectVirtual = 32863;
// ツール
inline constexpr int MelodyEditor = 32831;
inline constexpr int Measurement = 32858;
// ヘルプ
inline constexpr int About = 32837;
inline constexpr int Help = 32838;
}  // namespace CommandId
