// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/RenameResultView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ViewModels/AppViewModel.h"
#include "Views/Shared/ErrorText.h"
#include "Views/Shared/FileLocations.h"
#include "Views/Shared/Icons.h"

namespace {

// One count over its label.
QWidget* countBox(const QString& label, QLabel*& count, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(16, 4, 16, 4);
    count = new QLabel(box);
    QFont big = count->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    count->setFont(big);
    count->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(label, box);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(count);
    layout->addWidget(name);
    return box;
}

}  // namespace

RenameResultView::RenameResultView(AppViewModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("renameResult"));
    setWindowTitle(tr("Rename Result"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(520);

    icon_ = new QLabel(this);
    icon_->setAlignment(Qt::AlignCenter);
    title_ = new QLabel(this);
    title_->setAlignment(Qt::AlignCenter);
    QFont heading = title_->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    title_->setFont(heading);

    auto* counts = new QHBoxLayout;
    counts->addStretch();
    counts->addWidget(countBox(tr("Renamed"), renamed_, this));
    counts->addWidget(countBox(tr("Failed"), failed_, this));
    counts->addWidget(countBox(tr("Skipped"), skipped_, this));
    counts->addWidget(countBox(tr("Not Attempted"), notAttempted_, this));
    counts->addStretch();

    errorsHeading_ = new QLabel(tr("Not renamed:"), this);
    QFont bold = errorsHeading_->font();
    bold.setBold(true);
    errorsHeading_->setFont(bold);
    errors_ = new QListWidget(this);
    // Error texts name both paths; they wrap within the sheet rather than run off its side.
    errors_->setWordWrap(true);
    errors_->setResizeMode(QListView::Adjust);
    errors_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    errors_->setTextElideMode(Qt::ElideMiddle);

    done_ = new QPushButton(tr("Done"), this);
    done_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(icon_);
    layout->addWidget(title_);
    layout->addLayout(counts);
    layout->addWidget(errorsHeading_);
    layout->addWidget(errors_, 1);
    layout->addWidget(done_, 0, Qt::AlignRight);

    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    // Done, Escape and the close button all end the report.
    connect(this, &QDialog::finished, this, [this] {
        if (model_.showRenameResult()) {
            model_.setShowRenameResult(false);
        }
    });
}

std::size_t RenameResultView::countOf(int status) const {
    std::size_t count = 0;
    for (const auto& result : model_.lastRenameResults()) {
        count += static_cast<int>(result.status) == status ? 1 : 0;
    }
    return count;
}

std::size_t RenameResultView::successCount() const {
    return countOf(static_cast<int>(RenameResult::Status::renamed));
}

std::size_t RenameResultView::failCount() const {
    return countOf(static_cast<int>(RenameResult::Status::failed));
}

std::size_t RenameResultView::skippedCount() const {
    return countOf(static_cast<int>(RenameResult::Status::skipped));
}

std::size_t RenameResultView::notAttemptedCount() const {
    return countOf(static_cast<int>(RenameResult::Status::notAttempted));
}

void RenameResultView::fill() {
    const std::size_t failures = failCount();
    const std::size_t skipped = skippedCount();
    const std::size_t unreached = notAttemptedCount();
    const bool clean = failures == 0 && skipped == 0 && unreached == 0;
    const QString symbol = clean ? QStringLiteral("checkmark.circle.fill")
                                 : QStringLiteral("exclamationmark.triangle.fill");
    icon_->setPixmap(Icons::bundled(symbol).pixmap(48, 48));
    if (unreached != 0) {
        // English has its two forms here; a translation brings its own plural forms.
        title_->setText(unreached == 1 ? tr("Cancelled: %n item not attempted", nullptr, 1)
                                       : tr("Cancelled: %n items not attempted", nullptr,
                                            static_cast<int>(unreached)));
    } else {
        title_->setText(clean ? tr("Rename Complete") : tr("Rename Completed with Errors"));
    }
    renamed_->setText(QString::number(successCount()));
    failed_->setText(QString::number(failures));
    skipped_->setText(QString::number(skipped));
    notAttempted_->setText(QString::number(unreached));

    errors_->clear();
    const QIcon cross = Icons::bundled(QStringLiteral("xmark.circle.fill"));
    const QIcon warning = Icons::bundled(QStringLiteral("exclamationmark.triangle.fill"));
    for (const auto& result : model_.lastRenameResults()) {
        if (result.status != RenameResult::Status::failed &&
            result.status != RenameResult::Status::skipped) {
            continue;
        }
        const QString name = FileLocations::toText(result.originalURL.filename());
        const QString why = result.error ? ErrorText::sentence(*result.error) : tr("Unknown error");
        const bool failed = result.status == RenameResult::Status::failed;
        auto* line = new QListWidgetItem(failed ? cross : warning,
                                         name + QStringLiteral(": ") + why, errors_);
        line->setToolTip(FileLocations::toText(result.originalURL));
    }
    const bool listed = failures != 0 || skipped != 0;
    errorsHeading_->setVisible(listed);
    errors_->setVisible(listed);
    adjustSize();
}

void RenameResultView::present() {
    if (isVisible()) {
        return;
    }
    fill();
    open();
}
