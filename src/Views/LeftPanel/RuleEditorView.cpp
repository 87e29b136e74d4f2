#include "Views/LeftPanel/RuleEditorView.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Services/PresetManager.h"
#include "ViewModels/AppViewModel.h"

RuleEditorView::RuleEditorView(AppViewModel& model, PresetManager& presets, QWidget* parent)
    : QWidget(parent), model_(model), presets_(presets) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Rules"), this));
    layout->addStretch();
}
