// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

#include "Models/Uuid.h"

class AppViewModel;
class NameLinesEdit;
class QLabel;
class QPushButton;

// "Edit Names as Text": the new names of the shown entries, one per line, for editing as
// text, each beside its original name. Lines that differ from the original name are marked;
// a line whose name cannot be used is marked and blocks "Rename…". Lines cannot be added or
// removed. The dialog itself renames nothing: after "Rename…" it is accepted and `changes`
// holds the renames.
class EditNamesDialog final : public QDialog {
    Q_OBJECT

  public:
    EditNamesDialog(const AppViewModel& model, QWidget* parent);

    // The entries whose line now differs from their name, with the new names.
    const std::vector<std::pair<Uuid, std::string>>& changes() const { return changes_; }

    NameLinesEdit* editor() const { return editor_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* renameButton() const { return rename_; }

  private:
    void review();

    std::vector<Uuid> ids_;
    std::vector<std::string> originals_;
    std::vector<std::pair<Uuid, std::string>> changes_;
    NameLinesEdit* editor_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* refused_ = nullptr;
    QPushButton* rename_ = nullptr;
};
