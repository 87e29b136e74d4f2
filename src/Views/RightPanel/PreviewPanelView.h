#pragma once

#include <QWidget>

class AppViewModel;

// The preview panel.
class PreviewPanelView final : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewPanelView(AppViewModel& model, QWidget* parent = nullptr);

  private:
    AppViewModel& model_;
};
