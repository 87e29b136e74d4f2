#include "Views/CenterPanel/FileListView.h"

#include "ViewModels/AppViewModel.h"

FileListView::FileListView(AppViewModel& model, QWidget* parent) : QWidget(parent), model_(model) {}
