// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/NameLinesEdit.h"

#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace {

// The part of the margin given to the original names, in average character widths.
constexpr int kOriginalColumns = 28;

class Margin final : public QWidget {
  public:
    explicit Margin(NameLinesEdit* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->marginWidth(), 0}; }

  protected:
    void paintEvent(QPaintEvent* event) override { editor_->paintMargin(event); }

  private:
    NameLinesEdit* editor_;
};

}  // namespace

NameLinesEdit::NameLinesEdit(QWidget* parent) : QPlainTextEdit(parent), margin_(new Margin(this)) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setViewportMargins(marginWidth(), 0, 0, 0);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0) {
            margin_->scroll(0, dy);
        } else {
            margin_->update(0, rect.y(), margin_->width(), rect.height());
        }
    });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (restoring_) {
            return;
        }
        if (blockCount() != static_cast<int>(originals_.size())) {
            restoreLines();
            emit lineCountRefused();
            return;
        }
        lastGood_ = toPlainText();
    });
}

void NameLinesEdit::setLines(const QStringList& lines, const QStringList& originals) {
    originals_ = originals;
    restoring_ = true;
    setPlainText(lines.join(QLatin1Char('\n')));
    restoring_ = false;
    lastGood_ = toPlainText();
    setViewportMargins(marginWidth(), 0, 0, 0);
    margin_->update();
}

QStringList NameLinesEdit::lines() const {
    return toPlainText().split(QLatin1Char('\n'));
}

void NameLinesEdit::setMarks(std::set<int> changed, std::set<int> bad) {
    changed_ = std::move(changed);
    bad_ = std::move(bad);
    updateMarks();
    margin_->update();
}

void NameLinesEdit::restoreLines() {
    // The cursor stays near where the person was typing.
    const int position = textCursor().position();
    restoring_ = true;
    setPlainText(lastGood_);
    restoring_ = false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(position, static_cast<int>(lastGood_.size())));
    setTextCursor(cursor);
    updateMarks();
}

void NameLinesEdit::updateMarks() {
    QList<QTextEdit::ExtraSelection> selections;
    const auto mark = [&](int line, const QColor& colour) {
        QTextEdit::ExtraSelection selection;
        selection.format.setBackground(colour);
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selection.cursor = QTextCursor(document()->findBlockByNumber(line));
        selections.push_back(selection);
    };
    const QColor changed = palette().color(QPalette::Highlight).lighter(185);
    for (int line : changed_) {
        if (!bad_.contains(line)) {
            mark(line, changed);
        }
    }
    for (int line : bad_) {
        mark(line, QColor(255, 205, 205));
    }
    setExtraSelections(selections);
}

int NameLinesEdit::marginWidth() const {
    const int digits =
        static_cast<int>(QString::number(std::max<qsizetype>(1, originals_.size())).size());
    return fontMetrics().averageCharWidth() * (digits + kOriginalColumns + 4);
}

void NameLinesEdit::paintMargin(QPaintEvent* event) {
    QPainter painter(margin_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    const QFontMetrics metrics = fontMetrics();
    const int digits =
        static_cast<int>(QString::number(std::max<qsizetype>(1, originals_.size())).size());
    const int numberWidth = metrics.averageCharWidth() * (digits + 1);
    const int nameLeft = numberWidth + metrics.averageCharWidth() * 2;
    const int nameWidth = margin_->width() - nameLeft - metrics.averageCharWidth();
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        const int line = block.blockNumber();
        if (line < originals_.size()) {
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(0, top, numberWidth, height, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(line + 1));
            const QString mark = bad_.contains(line)       ? QStringLiteral("!")
                                 : changed_.contains(line) ? QStringLiteral("\u2022")
                                                           : QString();
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(numberWidth, top, nameLeft - numberWidth, height, Qt::AlignCenter,
                             mark);
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(nameLeft, top, nameWidth, height, Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(originals_[line], Qt::ElideMiddle, nameWidth));
        }
        block = block.next();
        top += height;
    }
}

void NameLinesEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), marginWidth(), area.height());
}
