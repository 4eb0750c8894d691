#include "screens/JunkResultsModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace orvane {

// Model row r is grid row r + 1; the grid's header row is the view's header.

JunkResultsModel::JunkResultsModel(junk::ResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), shownRows_(table.rowCount() - 1)
{
    table_.setListener(this);
}

JunkResultsModel::~JunkResultsModel() { table_.setListener(nullptr); }

int JunkResultsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int JunkResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : junk::ColumnCount; }

QVariant JunkResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= shownRows_)
        return {};
    const std::string& text = table_.cell(index.row() + 1, index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(text.data(), qsizetype(text.size())); // invalid bytes shown replaced
    case Qt::ForegroundRole:
        switch (index.column()) {
        case junk::NameColumn:
            return QBrush(Qt::red);
        case junk::SizeColumn:
            return QBrush(QColor(0, 102, 0));
        case junk::DeleteColumn:
            return QBrush(Qt::blue);
        default:
            return QBrush(Qt::black);
        }
    case Qt::BackgroundRole:
        return QBrush(text == "No" ? Qt::yellow : Qt::white);
    case Qt::FontRole:
        if (index.column() == junk::DeleteColumn) {
            QFont font;
            font.setUnderline(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant JunkResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool column = orientation == Qt::Horizontal && section >= 0 && section < junk::ColumnCount;
    if (column && role == Qt::ForegroundRole)
        return QBrush(Qt::white);
    if (column && role == Qt::BackgroundRole)
        return QBrush(QColor(30, 30, 30));
    if (role != Qt::DisplayRole)
        return {};
    if (column)
        return QString::fromLatin1(junk::HeaderTexts[size_t(section)]);
    if (orientation == Qt::Vertical)
        return QString();
    return {};
}

Qt::ItemFlags JunkResultsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void JunkResultsModel::rowCountChanged(int, int) {}

void JunkResultsModel::cleared() { resetPending_ = true; }

void JunkResultsModel::cellChanged(int row, int)
{
    const int r = row - 1;
    if (r >= shownRows_ || resetPending_)
        return; // announced with its rows
    dirtyFirst_ = dirtyFirst_ < 0 ? r : std::min(dirtyFirst_, r);
    dirtyLast_ = std::max(dirtyLast_, r);
}

void JunkResultsModel::sync()
{
    const int wanted = table_.rowCount() - 1;
    if (resetPending_) {
        beginResetModel();
        shownRows_ = wanted;
        resetPending_ = false;
        dirtyFirst_ = dirtyLast_ = -1;
        endResetModel();
        return;
    }
    if (dirtyFirst_ >= 0) {
        const int last = std::min(dirtyLast_, shownRows_ - 1);
        if (dirtyFirst_ <= last)
            emit dataChanged(index(dirtyFirst_, 0), index(last, junk::ColumnCount - 1));
        dirtyFirst_ = dirtyLast_ = -1;
    }
    if (wanted > shownRows_) {
        beginInsertRows({}, shownRows_, wanted - 1);
        shownRows_ = wanted;
        endInsertRows();
    } else if (wanted < shownRows_) {
        beginRemoveRows({}, wanted, shownRows_ - 1);
        shownRows_ = wanted;
        endRemoveRows();
    }
}

void JunkResultsModel::clickAt(int topRow, int leftColumn)
{
    if (leftColumn != junk::DeleteColumn || topRow < 0)
        return;
    table_.toggleMark(topRow + 1);
    sync();
}

} // namespace orvane
