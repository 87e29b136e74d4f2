#pragma once

#include <QWidget>

class AppViewModel;

// The file list panel.
class FileListView final : public QWidget {
    Q_OBJECT

  public:
    explicit FileListView(AppViewModel& model, QWidget* parent = nullptr);

  private:
    AppViewModel& model_;
};
