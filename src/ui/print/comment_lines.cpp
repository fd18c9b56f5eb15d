// Laying out the printed comment line by line.
#include "print/comment_lines.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLine>

CommentLines::CommentLines(const QString& text, const QFont& font, QPaintDevice* device,
                           int width) {
    QString plain = text;
    plain.remove(QLatin1Char('\r'));  // the report page keeps CR LF
    const qreal emptyHeight = QFontMetricsF(font, device).height();
    for (const QString& paragraph : plain.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, device);
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        if (layout->lineCount() == 0) {
            lines_.push_back({nullptr, 0, emptyHeight});  // an empty line keeps its place
        } else {
            for (int i = 0; i < layout->lineCount(); ++i)
                lines_.push_back({layout.get(), i, layout->lineAt(i).height()});
        }
        paragraphs_.push_back(std::move(layout));
    }
}

qreal CommentLines::Height(int first, int last) const {
    qreal height = 0;
    for (int i = first; i < last; ++i) height += lines_[static_cast<std::size_t>(i)].height;
    return height;
}

int CommentLines::Fitting(int first, qreal height) const {
    int last = first;
    qreal used = 0;
    while (last < Count() && used + lines_[static_cast<std::size_t>(last)].height <= height)
        used += lines_[static_cast<std::size_t>(last++)].height;
    return last - first;
}

void CommentLines::Draw(QPainter& painter, int first, int last, QPointF topLeft) const {
    QPointF at = topLeft;
    for (int i = first; i < last; ++i) {
        const Line& line = lines_[static_cast<std::size_t>(i)];
        if (line.layout) {
            const QTextLine textLine = line.layout->lineAt(line.index);
            textLine.draw(&painter, at - textLine.position());
        }
        at.ry() += line.height;
    }
}
