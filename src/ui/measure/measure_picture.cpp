#include "measure/measure_picture.h"

#include <QBuffer>
#include <QPainter>
#include <QWidget>

#include "atomic_file.h"
#include "measure/measure_graph.h"

QImage GraphPicture(QWidget& client, CMeasurementData& graph) {
    const QRect area(0, 0, client.width(), graph.geometry().bottom() + 1);
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(client.palette().color(QPalette::Window));
    const bool blink = graph.Blink();
    graph.SetBlink(false);
    QPainter painter(&picture);
    client.render(&painter, QPoint(), QRegion(area), QWidget::DrawChildren);
    painter.end();
    graph.SetBlink(blink);
    return picture;
}

std::optional<std::string> WriteGraphPicture(const std::string& path, const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return std::string(kGraphPictureFailed);
    if (const std::optional<FileError> error =
            ReplaceFileContents(path, std::string_view(bytes.constData(), bytes.size())))
        return std::string(kGraphPictureFailed) + "\n" + path + "\n" + error->description;
    return std::nullopt;
}
