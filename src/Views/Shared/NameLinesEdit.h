// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include <set>

// A monospaced editor of one name per line with a margin that shows each line's number and
// the item's original name beside it. The number of lines is fixed: an edit that adds or
// removes a line is undone and `lineCountRefused` is emitted.
class NameLinesEdit final : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit NameLinesEdit(QWidget* parent = nullptr);

    // Shows `lines` for editing, with `originals` (one per line) in the margin.
    void setLines(const QStringList& lines, const QStringList& originals);
    // The text of each line.
    QStringList lines() const;
    // Lines (from 0) to mark as changed, and lines to mark as unusable.
    void setMarks(std::set<int> changed, std::set<int> bad);

    // The margin's width in pixels, and its painting; called by the margin widget.
    int marginWidth() const;
    void paintMargin(QPaintEvent* event);

  signals:
    void lineCountRefused();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void restoreLines();
    void updateMarks();

    QWidget* margin_ = nullptr;
    QStringList originals_;
    QString lastGood_;
    std::set<int> changed_;
    std::set<int> bad_;
    bool restoring_ = false;
};
