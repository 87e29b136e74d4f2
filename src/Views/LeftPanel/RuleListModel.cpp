// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Views/LeftPanel/RuleListModel.h"

#include <QByteArray>
#include <QDataStream>
#include <QGuiApplication>
#include <QIODevice>
#include <QMimeData>
#include <QPalette>

#include <algorithm>
#include <set>

#include "Models/EnumCases.h"
#include "ViewModels/AppViewModel.h"
#include "Views/LeftPanel/RuleIcons.h"
#include "Views/LeftPanel/RuleSummary.h"
#include "Views/Shared/Texts.h"

namespace {

const QString kMimeType = QStringLiteral("application/x-quorvane-rule-rows");

QString kindName(RuleType type) {
    return Texts::stored(type);
}

// The icon as it is drawn for a disabled control.
QIcon dimmed(const QIcon& icon) {
    QIcon faint;
    for (const int side : {16, 24, 32, 48}) {
        faint.addPixmap(icon.pixmap(QSize(side, side), QIcon::Disabled));
    }
    return faint;
}

bool sameIds(const std::vector<RenameRule>& a, const std::vector<RenameRule>& b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i].id != b[i].id) {
            return false;
        }
    }
    return true;
}

}  // namespace

RuleListModel::RuleListModel(AppViewModel& model, QObject* parent)
    : QAbstractItemModel(parent), model_(model), shown_(model.rules()) {
    subscription_ = model_.subscribe([this] { sync(); });
}

void RuleListModel::sync() {
    const auto& current = model_.rules();
    if (current == shown_) {
        return;
    }
    const std::size_t common = std::min(current.size(), shown_.size());
    if (!sameIds(current, shown_, common) || current.size() < shown_.size()) {
        beginResetModel();
        shown_ = current;
        endResetModel();
        return;
    }
    // Same rules in the same places, maybe with more at the end: update in place so that
    // editors and selection survive typing, then insert the new rows.
    for (std::size_t i = 0; i < common; ++i) {
        if (!(current[i] == shown_[i])) {
            shown_[i] = current[i];
            const int row = static_cast<int>(i);
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        }
    }
    if (current.size() > shown_.size()) {
        beginInsertRows({}, static_cast<int>(shown_.size()), static_cast<int>(current.size()) - 1);
        shown_.insert(shown_.end(), current.begin() + static_cast<std::ptrdiff_t>(shown_.size()),
                      current.end());
        endInsertRows();
    }
}

std::optional<int> RuleListModel::rowOf(const Uuid& id) const {
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (shown_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<RenameRule> RuleListModel::ruleAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return std::nullopt;
    }
    const int row =
        index.internalId() == kTopLevel ? index.row() : static_cast<int>(index.internalId()) - 1;
    if (row < 0 || row >= static_cast<int>(shown_.size())) {
        return std::nullopt;
    }
    return shown_[static_cast<std::size_t>(row)];
}

QModelIndex RuleListModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount) {
        return {};
    }
    if (!parent.isValid()) {
        if (row >= static_cast<int>(shown_.size())) {
            return {};
        }
        return createIndex(row, column, kTopLevel);
    }
    if (parent.internalId() != kTopLevel || parent.column() != 0 || row != 0 ||
        parent.row() >= static_cast<int>(shown_.size())) {
        return {};
    }
    return createIndex(0, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex RuleListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopLevel) {
        return {};
    }
    return createIndex(static_cast<int>(child.internalId()) - 1, 0, kTopLevel);
}

int RuleListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return static_cast<int>(shown_.size());
    }
    // Only the first column of a rule row has the editor slot below it.
    return parent.internalId() == kTopLevel && parent.column() == 0 ? 1 : 0;
}

int RuleListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.internalId() != kTopLevel) {
        return 0;
    }
    return ColumnCount;
}

QVariant RuleListModel::data(const QModelIndex& index, int role) const {
    const auto rule = ruleAt(index);
    if (!rule) {
        return {};
    }
    const bool slot = index.internalId() != kTopLevel;
    switch (role) {
        case RuleIdRole:
            return QString::fromStdString(rule->id.toString());
        case NameRole:
            return kindName(rule->type);
        case SummaryRole:
            return ruleSummary(*rule);
        case EditorSlotRole:
            return slot;
        default:
            break;
    }
    if (slot) {
        return {};
    }
    if (index.column() == MainColumn) {
        switch (role) {
            case Qt::DisplayRole:
                return kindName(rule->type) + QLatin1Char('\n') + ruleSummary(*rule);
            case Qt::ToolTipRole:
                return ruleSummary(*rule);
            case Qt::AccessibleTextRole:
                return kindName(rule->type) + QStringLiteral(": ") + ruleSummary(*rule) +
                       (rule->isEnabled ? QString() : tr(" (off)"));
            case Qt::DecorationRole:
                return rule->isEnabled ? RuleIcons::forRuleType(rule->type)
                                       : dimmed(RuleIcons::forRuleType(rule->type));
            case Qt::ForegroundRole:
                // A rule that is switched off takes no part in the preview; it looks it.
                if (!rule->isEnabled) {
                    return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
                }
                return {};
            case Qt::CheckStateRole:
                return rule->isEnabled ? Qt::Checked : Qt::Unchecked;
            default:
                return {};
        }
    }
    switch (role) {
        case Qt::DecorationRole:
            return RuleIcons::forSymbol("trash");
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return tr("Delete Rule");
        default:
            return {};
    }
}

bool RuleListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != MainColumn ||
        index.internalId() != kTopLevel) {
        return false;
    }
    auto rule = ruleAt(index);
    if (!rule) {
        return false;
    }
    const bool enabled = value.toInt() == Qt::Checked;
    if (rule->isEnabled == enabled) {
        return true;
    }
    rule->isEnabled = enabled;
    // The announcement that follows brings shown_ up to date and emits dataChanged.
    model_.updateRule(*rule);
    return true;
}

Qt::ItemFlags RuleListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    if (index.internalId() != kTopLevel) {
        return Qt::ItemIsEnabled;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == MainColumn) {
        result |= Qt::ItemIsUserCheckable;
    }
    return result;
}

QVariant RuleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == MainColumn ? tr("Rule") : QString();
}

Qt::DropActions RuleListModel::supportedDropActions() const {
    return Qt::MoveAction;
}

Qt::DropActions RuleListModel::supportedDragActions() const {
    return Qt::MoveAction;
}

QStringList RuleListModel::mimeTypes() const {
    return {kMimeType};
}

QMimeData* RuleListModel::mimeData(const QModelIndexList& indexes) const {
    std::set<int> rows;
    for (const auto& index : indexes) {
        if (index.isValid() && index.internalId() == kTopLevel) {
            rows.insert(index.row());
        }
    }
    if (rows.empty()) {
        return nullptr;
    }
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << static_cast<qint32>(rows.size());
    for (const int row : rows) {
        stream << static_cast<qint32>(row);
    }
    auto* mime = new QMimeData;
    mime->setData(kMimeType, bytes);
    return mime;
}

std::optional<int> RuleListModel::dropDestination(int row, const QModelIndex& parent) const {
    const int count = static_cast<int>(shown_.size());
    if (!parent.isValid()) {
        return row < 0 || row > count ? count : row;
    }
    if (parent.internalId() == kTopLevel) {
        // Onto a rule, the dragged rules take its place; among its child rows (around its
        // open editor) they go below it.
        return row < 0 ? parent.row() : parent.row() + 1;
    }
    // Dropped into an open editor: the rules go below the rule that owns it.
    return static_cast<int>(parent.internalId());
}

bool RuleListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                    const QModelIndex& parent) const {
    return data != nullptr && data->hasFormat(kMimeType) && action == Qt::MoveAction &&
           dropDestination(row, parent).has_value();
}

bool RuleListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) {
        return false;
    }
    QByteArray bytes = data->data(kMimeType);
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    qint32 n = 0;
    stream >> n;
    std::set<std::size_t> from;
    for (qint32 i = 0; i < n && !stream.atEnd(); ++i) {
        qint32 source = -1;
        stream >> source;
        if (source >= 0 && source < static_cast<qint32>(shown_.size())) {
            from.insert(static_cast<std::size_t>(source));
        }
    }
    if (from.empty()) {
        return false;
    }
    model_.moveRule(from, static_cast<std::size_t>(*dropDestination(row, parent)));
    // The rows have moved already; nothing is left for the view to remove.
    return true;
}

bool RuleListModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                             const QModelIndex& destinationParent, int destinationChild) {
    const int size = static_cast<int>(shown_.size());
    if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 ||
        sourceRow + count > size || destinationChild < 0 || destinationChild > size) {
        return false;
    }
    std::set<std::size_t> from;
    for (int i = 0; i < count; ++i) {
        from.insert(static_cast<std::size_t>(sourceRow + i));
    }
    model_.moveRule(from, static_cast<std::size_t>(destinationChild));
    return true;
}
