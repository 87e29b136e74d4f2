#include "Views/RightPanel/PreviewTableModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "ViewModels/AppViewModel.h"
#include "Views/Shared/ChangeWatcher.h"
#include "Views/Shared/Icons.h"

PreviewTableModel::PreviewTableModel(AppViewModel& model, QObject* parent)
    : QAbstractTableModel(parent),
      model_(model),
      conflictIcon_(Icons::bundled(QStringLiteral("exclamationmark.triangle.fill"))),
      problemIcon_(Icons::bundled(QStringLiteral("xmark.circle.fill"))) {
    watcher_ = new ChangeWatcher(
        model_, [this] { refresh(); }, this);
    refresh();
}

int PreviewTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

bool PreviewTableModel::isRow(const QModelIndex& index) const {
    // Views ask about invalid indexes as a matter of course; checkIndex() would warn.
    return index.isValid() && index.model() == this && !index.parent().isValid() &&
           index.row() < rowCount() && index.column() < ColumnCount;
}

int PreviewTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

PreviewTableModel::Status PreviewTableModel::statusOf(const PreviewEntry& entry) {
    // A name that cannot be used at all outranks a clash with another row.
    if (!entry.problem.empty()) {
        return Status::problem;
    }
    if (entry.hasConflict) {
        return Status::conflict;
    }
    return entry.preview == entry.original ? Status::unchanged : Status::changed;
}

PreviewTableModel::Status PreviewTableModel::statusAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
        return Status::unchanged;
    }
    return statusOf(rows_[static_cast<std::size_t>(row)]);
}

QString PreviewTableModel::explanation(const PreviewEntry& entry) const {
    switch (statusOf(entry)) {
        case Status::problem:
            return tr("This name cannot be used: %1").arg(QString::fromStdString(entry.problem));
        case Status::conflict:
            return tr("An item above gets the same name; this one will be skipped.");
        case Status::unchanged:
            return tr("The name stays as it is.");
        case Status::changed:
            break;
    }
    QString text = QString::fromStdString(entry.original) + QStringLiteral(" → ") +
                   QString::fromStdString(entry.preview);
    if (!entry.warning.empty()) {
        text += QLatin1Char('\n') + QString::fromStdString(entry.warning);
    }
    return text;
}

QVariant PreviewTableModel::data(const QModelIndex& index, int role) const {
    if (!isRow(index)) {
        return {};
    }
    const PreviewEntry& entry = rows_[static_cast<std::size_t>(index.row())];
    const Status status = statusOf(entry);
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            if (column == OriginalColumn) {
                return QString::fromStdString(entry.original);
            }
            if (column == ArrowColumn) {
                return QStringLiteral("→");
            }
            if (column == NewNameColumn) {
                return QString::fromStdString(entry.preview);
            }
            return {};
        case Qt::DecorationRole:
            if (column == NewNameColumn && status == Status::conflict) {
                return conflictIcon_;
            }
            if (column == NewNameColumn && status == Status::problem) {
                return problemIcon_;
            }
            return {};
        case Qt::ForegroundRole:
            if (status == Status::conflict) {
                return QBrush(QColor(0xb4, 0x53, 0x09));
            }
            if (status == Status::problem) {
                return QBrush(QColor(0xb9, 0x1c, 0x1c));
            }
            if (status == Status::unchanged || column != NewNameColumn) {
                return QBrush(QColor(0x6b, 0x72, 0x80));
            }
            return {};
        case Qt::BackgroundRole:
            if (status == Status::conflict) {
                return QBrush(QColor(0xfe, 0xf3, 0xc7));
            }
            if (status == Status::problem) {
                return QBrush(QColor(0xfe, 0xe2, 0xe2));
            }
            return {};
        case Qt::FontRole:
            if (column == NewNameColumn && status == Status::changed) {
                QFont font;
                font.setWeight(QFont::DemiBold);
                return font;
            }
            return {};
        case Qt::ToolTipRole:
            return explanation(entry);
        case Qt::TextAlignmentRole:
            if (column == ArrowColumn) {
                return QVariant(Qt::AlignCenter);
            }
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

Qt::ItemFlags PreviewTableModel::flags(const QModelIndex& index) const {
    if (!isRow(index)) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant PreviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case OriginalColumn:
            return tr("Original");
        case ArrowColumn:
            return QString();
        case NewNameColumn:
            return tr("New Name");
        default:
            return {};
    }
}

void PreviewTableModel::refresh() {
    const auto& previews = model_.previews();
    if (previews == rows_) {
        return;
    }
    std::size_t changed = 0;
    for (const auto& entry : previews) {
        changed += statusOf(entry) == Status::changed ? 1 : 0;
    }
    if (previews.size() == rows_.size()) {
        rows_ = previews;
        changed_ = changed;
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
        return;
    }
    beginResetModel();
    rows_ = previews;
    changed_ = changed;
    endResetModel();
}
