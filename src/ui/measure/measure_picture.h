// The measurement graph as a picture for other programs: the graph with its
// axis captions and tick labels (the legend), at the size the window shows them.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

class CMeasurementData;
class QWidget;

inline constexpr std::string_view kGraphPictureFailed = "グラフを保存できませんでした。";

// The top of client down to the graph's bottom edge, as painted now but
// without the blinking "計測中".
QImage GraphPicture(QWidget& client, CMeasurementData& graph);

// Replaces the file at path with the picture in PNG; an earlier file survives
// a failed write. Nothing on success, else the message for the user.
std::optional<std::string> WriteGraphPicture(const std::string& path, const QImage& picture);
