#include "file_messages.h"

#include <cstdio>

std::string SymbolProblemText(int chart, int fileId) {
    return "<chart chartId=\"" + std::to_string(chart) + "\" ... \n<fobj id=\"" +
           std::to_string(fileId) + "\" ...\n周辺に問題があります";
}

std::string WriteErrorText(int code, std::string_view description) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(code));
    return "Error: " + std::string(hex) + "\n説明: " + std::string(description) + "\n";
}

std::string SavedText(std::string_view path) {
    return "ファイル(" + std::string(path) + ")に全ての作成領域を保存しました";
}

std::string LoadedText(std::string_view path) {
    return "ファイル(" + std::string(path) + ")から全ての作成領域を読み込みました";
}

std::string LoadAbortedText(std::string_view path) {
    return "ファイル(" + std::string(path) + ")の読み込みを中止しました";
}
