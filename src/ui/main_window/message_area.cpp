// The message area's line keeping over a QPlainTextEdit.
#include "main_window/message_area.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void CMessageArea::Init(QPlainTextEdit* box, int lineLimit) {
    box_ = box;
    lineLimit_ = lineLimit;
    if (box_) {
        box_->setReadOnly(true);
        box_->setLineWrapMode(QPlainTextEdit::NoWrap);
        box_->setUndoRedoEnabled(false);
    }
}

void CMessageArea::SetText(std::string_view text) {
    if (box_) box_->setPlainText(FromUtf8(text));
}

int CMessageArea::LineCount() const { return box_ ? box_->document()->blockCount() : 0; }

void CMessageArea::AddMessage(std::string_view message) {
    if (!enabled_ || !box_) return;
    QTextDocument* document = box_->document();
    while (document->blockCount() > lineLimit_) {
        QTextCursor first(document->firstBlock());
        first.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        first.removeSelectedText();
    }
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("\n") + FromUtf8(message));
    box_->setTextCursor(end);
    box_->ensureCursorVisible();
    box_->horizontalScrollBar()->setValue(0);
}
