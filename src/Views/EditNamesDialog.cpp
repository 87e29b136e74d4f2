// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/EditNamesDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

#include "Models/Utf8.h"
#include "Services/EditList.h"
#include "Services/NameCheck.h"
#include "ViewModels/AppViewModel.h"
#include "Views/Shared/NameLinesEdit.h"
#include "Views/Shared/Texts.h"

namespace {

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Problems listed under the editor before the rest are summed up.
constexpr int kProblemsShown = 3;

}  // namespace

EditNamesDialog::EditNamesDialog(const AppViewModel& model, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("editNamesDialog"));
    setWindowTitle(tr("Edit Names as Text"));
    resize(820, 560);

    QStringList lines;
    QStringList originals;
    // The entries of the preview itself, which a newer one may not have replaced yet.
    const auto& shown = model.previewItems();
    const auto& previews = model.previews();
    for (std::size_t i = 0; i < shown.size() && i < previews.size(); ++i) {
        ids_.push_back(shown[i].id);
        originals_.push_back(shown[i].url.filename().native());
        // Shown as the tables show names, so that a line break or a control in a name stays
        // on its line and visible.
        lines.push_back(qs(Utf8::escapeControls(previews[i].preview)));
        originals.push_back(qs(Utf8::escapeControls(originals_.back())));
    }

    auto* intro = new QLabel(
        tr("Each line is the new name of one item, beside its current name. Change the names "
           "you want; changed lines are marked. Backslash escapes such as \\n, \\t, \\xNN and "
           "\\\\ stand for the characters they name."),
        this);
    intro->setWordWrap(true);
    editor_ = new NameLinesEdit(this);
    editor_->setObjectName(QStringLiteral("nameLines"));
    editor_->setLines(lines, originals);
    refused_ = new QLabel(this);
    refused_->setObjectName(QStringLiteral("lineCountMessage"));
    refused_->setWordWrap(true);
    refused_->setStyleSheet(QStringLiteral("color: #b00020;"));
    refused_->hide();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("editStatus"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Cancel);
    rename_ = buttons->addButton(tr("Rename\u2026"), QDialogButtonBox::AcceptRole);
    rename_->setObjectName(QStringLiteral("editRenameButton"));
    rename_->setDefault(false);
    rename_->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(editor_, 1);
    layout->addWidget(refused_);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(editor_, &QPlainTextEdit::textChanged, this, [this] { review(); });
    connect(editor_, &NameLinesEdit::lineCountRefused, this, [this] {
        refused_->setText(
            tr("Lines cannot be added or removed here: each line is the new name of the item "
               "beside it. The change was undone; to leave an item as it is, keep its line."));
        refused_->show();
        QTimer::singleShot(8000, refused_, [label = refused_] { label->hide(); });
    });
    review();
}

void EditNamesDialog::review() {
    const QStringList lines = editor_->lines();
    std::set<int> changed;
    std::set<int> bad;
    QStringList problems;
    changes_.clear();
    for (int i = 0; i < lines.size() && i < static_cast<int>(ids_.size()); ++i) {
        const QByteArray text = lines[i].toUtf8();
        const auto name = EditList::unescapeName(std::string_view(text.data(), text.size()));
        if (!name) {
            bad.insert(i);
            problems << tr("Line %1: a backslash that starts no known escape.").arg(i + 1);
            continue;
        }
        if (*name == originals_[static_cast<std::size_t>(i)]) {
            continue;
        }
        changed.insert(i);
        if (NameCheck::checkNewName(*name)) {
            bad.insert(i);
            problems << tr("Line %1: this name cannot be used (empty, \".\", \"..\", holding "
                           "\"/\", or longer than 255 bytes).")
                            .arg(i + 1);
            continue;
        }
        changes_.emplace_back(ids_[static_cast<std::size_t>(i)], *name);
    }
    editor_->setMarks(changed, bad);
    QString text = tr("%n line(s) changed.", nullptr, Texts::count(changed.size()));
    if (!problems.isEmpty()) {
        const qsizetype more = problems.size() - kProblemsShown;
        if (more > 0) {
            problems = problems.mid(0, kProblemsShown);
            problems << tr("%n more line(s) with a problem.", nullptr,
                           Texts::count(static_cast<std::size_t>(more)));
        }
        text += QLatin1Char('\n') + problems.join(QLatin1Char('\n'));
    }
    status_->setText(text);
    rename_->setEnabled(bad.empty() && !changes_.empty());
}
