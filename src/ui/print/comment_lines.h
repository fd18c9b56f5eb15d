// The report's comment laid out in lines at the printed width, so that a
// long comment can go on over as many pages as it needs.
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

class CommentLines {
public:
    // Lines break at the text's line breaks and wrap at width (device pixels).
    CommentLines(const QString& text, const QFont& font, QPaintDevice* device, int width);
    CommentLines(const CommentLines&) = delete;
    CommentLines& operator=(const CommentLines&) = delete;

    int Count() const { return static_cast<int>(lines_.size()); }
    // The height of lines first to last - 1.
    qreal Height(int first, int last) const;
    // How many lines from first fit into height, at least none.
    int Fitting(int first, qreal height) const;
    // Draws lines first to last - 1, the first one's top-left at topLeft.
    void Draw(QPainter& painter, int first, int last, QPointF topLeft) const;

private:
    struct Line {
        const QTextLayout* layout;
        int index;  // within its layout
        qreal height;
    };
    std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
    std::vector<Line> lines_;
};
