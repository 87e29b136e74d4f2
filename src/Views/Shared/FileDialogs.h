// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <vector>

class AppViewModel;
class QWidget;

// The modal dialogs of the file list and the preview, and the CSV write behind the export.
namespace FileDialogs {

// Asks for files ("Add Files", several at once; highlighted folders count too) and adds the
// chosen ones to the list; a cancelled dialog adds nothing.
void selectFiles(AppViewModel& model, QWidget* parent);
// Asks for one folder ("Add Folder") and adds it as a drop would; a cancelled dialog adds
// nothing.
void selectFolder(AppViewModel& model, QWidget* parent);
// The choice of that dialog, in its order; empty when cancelled.
std::vector<std::filesystem::path> chooseFilesAndFolders(QWidget* parent);

// Takes the CSV text of the preview, asks where to save it (proposing "rename_preview.csv")
// and writes it; a failed write is shown in a short message, a cancelled dialog does nothing,
// and a saved file is named in the status bar of `parent`'s main window.
void exportPreview(AppViewModel& model, QWidget* parent);
// Writes `text` to `target` as a whole (a temporary file moved into place, so a reader never
// sees half a file and a failure leaves the old file). Empty on success, else why it failed.
QString writeAtomically(const QString& target, const std::string& text);

}  // namespace FileDialogs
