#pragma once

#include "Model/Materials/Material.h"

#include <QAbstractTableModel>

#include <vector>

namespace Ui {

// The table of the "Manage Materials" dialog over a private copy of the
// catalogue: id (read-only), name and colour are shown and edited; rows can
// be added but never removed. Display and edit roles give the same values.
class MaterialTableViewItem : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { IdColumn = 0, NameColumn, ColourColumn, DensityColumn, YoungModulusColumn, PoissonRatioColumn };

    explicit MaterialTableViewItem(const std::vector<Model::Materials::Material> &materials,
                                   QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // An empty or blank name is refused: the row keeps its name and
    // nameRefused is emitted.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Appends `count` "New Material" rows, each with the smallest free id
    // from 3 up, whatever `row` asks for.
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const std::vector<Model::Materials::Material> &materials() const { return m_materials; }

signals:
    // A name edit was refused; `keptName` is the name the row keeps.
    void nameRefused(const QString &keptName);

private:
    unsigned smallestFreeId() const;

    std::vector<Model::Materials::Material> m_materials;
};

} // namespace Ui
