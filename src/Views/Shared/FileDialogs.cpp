// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/Shared/FileDialogs.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSet>
#include <QStatusBar>

#include "ViewModels/AppViewModel.h"
#include "Views/Shared/FileLocations.h"

namespace FileDialogs {

namespace {

// The paths highlighted in the dialog's views (list and detail view share one model).
QStringList highlightedPaths(QFileDialog& dialog) {
    QStringList paths;
    QSet<QString> seen;
    for (auto* view : dialog.findChildren<QAbstractItemView*>()) {
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        if (model == nullptr || view->selectionModel() == nullptr) {
            continue;
        }
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
            const QString path = model->filePath(index);
            if (!seen.contains(path)) {
                seen.insert(path);
                paths.push_back(path);
            }
        }
    }
    return paths;
}

}  // namespace

std::vector<std::filesystem::path> chooseFilesAndFolders(QWidget* parent) {
    QFileDialog dialog(parent, QObject::tr("Add Files"));
    // The desktop's own dialogs choose either files or folders; Qt's dialog, with its Open
    // button taking what is highlighted, chooses both at once.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    for (auto* view : dialog.findChildren<QAbstractItemView*>()) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    QStringList chosen;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* open = buttons->button(QDialogButtonBox::Open)) {
            // In files mode a highlighted folder would be entered, never chosen.
            QObject::disconnect(open, &QPushButton::clicked, nullptr, nullptr);
            QObject::connect(open, &QPushButton::clicked, &dialog, [&dialog, &chosen] {
                chosen = highlightedPaths(dialog);
                if (chosen.isEmpty()) {
                    chosen = dialog.selectedFiles();
                }
                if (!chosen.isEmpty()) {
                    // QFileDialog hides done(); its accept() would check the mode again.
                    static_cast<QDialog&>(dialog).done(QDialog::Accepted);
                }
            });
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    if (chosen.isEmpty()) {
        chosen = dialog.selectedFiles();
    }
    return FileLocations::fromTexts(chosen);
}

void selectFiles(AppViewModel& model, QWidget* parent) {
    auto chosen = chooseFilesAndFolders(parent);
    if (!chosen.empty()) {
        model.addFilesInBackground(std::move(chosen));
    }
}

void selectFolder(AppViewModel& model, QWidget* parent) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, QObject::tr("Add Folder"));
    if (!chosen.isEmpty()) {
        model.addFilesInBackground({FileLocations::fromText(chosen)});
    }
}

QString writeAtomically(const QString& target, const std::string& text) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

void exportPreview(AppViewModel& model, QWidget* parent) {
    // The text is taken before the dialog, so that it is the preview the user asked for.
    const std::string csv = model.exportCSV();
    const QString target = QFileDialog::getSaveFileName(
        parent, QObject::tr("Export Preview as CSV"), QStringLiteral("rename_preview.csv"),
        QObject::tr("CSV files (*.csv)"));
    if (target.isEmpty()) {
        return;
    }
    const QString why = writeAtomically(target, csv);
    if (!why.isEmpty()) {
        QMessageBox::warning(parent, QObject::tr("Export Failed"),
                             QObject::tr("The preview could not be saved to %1: %2")
                                 .arg(QDir::toNativeSeparators(target), why));
        return;
    }
    // Saving gives no other sign: say where the file went.
    if (auto* window = qobject_cast<QMainWindow*>(parent != nullptr ? parent->window() : nullptr)) {
        window->statusBar()->showMessage(
            QObject::tr("Preview saved to %1").arg(QDir::toNativeSeparators(target)), 15000);
    }
}

}  // namespace FileDialogs
