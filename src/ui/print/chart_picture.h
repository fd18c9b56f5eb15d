// A chart written as a picture file, drawn as it is printed and cropped to
// its objects with a margin: PNG, or SVG with its texts kept as text.
#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <string>

class CFlowObjectManager;
class DrawingResources;

enum class PictureFormat { Png, Svg };

// The format a file name asks for by its extension (".png", ".svg", any
// case); none for other names.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

// The part of the sheet a picture of the chart shows: its live objects
// with kPictureMargin around them, kept on the sheet; empty for an empty chart.
inline constexpr int kPictureMargin = 24;
QRect PictureArea(const CFlowObjectManager& store, int chart);

enum class PictureResult { Written, EmptyChart, WriteFailed };

// What the editor and qen-cli say when a picture is not written, or is.
namespace PictureText {
inline constexpr const char* EmptyChart = "このフローチャートには、書き出す図記号がありません。";
inline constexpr const char* UnknownType =
    "画像は、名前の終わりが .png か .svg のファイルに書き出します。";
inline constexpr const char* NotWritten = "画像を書き出せませんでした。";
}  // namespace PictureText
std::string PictureWrittenText(const std::string& path);

// Writes the chart at one picture pixel per sheet pixel on white, as printed
// (no grid, no selection, no connectors).
PictureResult WriteChartPicture(const QString& path, PictureFormat format,
                                const CFlowObjectManager& store, const DrawingResources& resources,
                                int chart);
