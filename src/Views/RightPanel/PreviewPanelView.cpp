#include "Views/RightPanel/PreviewPanelView.h"

#include "ViewModels/AppViewModel.h"

PreviewPanelView::PreviewPanelView(AppViewModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {}
