// The texts the flowchart file code shows to the user.
#pragma once

#include <string>
#include <string_view>

namespace FileText {
inline constexpr std::string_view SyntaxError = "正常に読み込めません(構文エラー)";
inline constexpr std::string_view DiscardUnsaved = "未保存のデータは破棄します。よろしいですか。";
inline constexpr std::string_view LoadAborted = "ファイルの読み込みを中止しました";
inline constexpr std::string_view Filter = "フローチャート ファイル (*.xml)|*.xml||";
inline constexpr std::string_view AppTitle = "テルノエディタ　　";
inline constexpr std::string_view NewChartTitle = "新規フローチャート";
}  // namespace FileText

// "<chart chartId=\"%d\" ... \n<fobj id=\"%d\" ...\n周辺に問題があります"
std::string SymbolProblemText(int chart, int fileId);
// "Error: %08X\n説明: %s\n"
std::string WriteErrorText(int code, std::string_view description);
// "ファイル(%s)に全ての作成領域を保存しました"
std::string SavedText(std::string_view path);
// "ファイル(%s)から全ての作成領域を読み込みました"
std::string LoadedText(std::string_view path);
// "ファイル(%s)の読み込みを中止しました"
std::string LoadAbortedText(std::string_view path);
