#include "UI/MaterialTableViewItem.h"

#include <QColor>

#include <set>

namespace Ui {

using Model::Materials::Colour;
using Model::Materials::Material;

MaterialTableViewItem::MaterialTableViewItem(const std::vector<Material> &materials, QObject *parent)
    : QAbstractTableModel(parent)
    , m_materials(materials)
{
}

int MaterialTableViewItem::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_materials.size());
}

int MaterialTableViewItem::columnCount(const QModelIndex &parent) const
{
    // Density and the elastic constants have headers and data but stay
    // hidden: the table shows id, name and colour.
    return parent.isValid() ? 0 : 3;
}

QVariant MaterialTableViewItem::data(const QModelIndex &index, int role) const
{
    // The edit role is what an editor opens with: without it the name
    // editor would start empty.
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid()
        || index.row() >= int(m_materials.size()))
        return QVariant();
    const Material &material = m_materials[std::size_t(index.row())];
    switch (index.column()) {
    case IdColumn: return material.id();
    case NameColumn: return material.name();
    case ColourColumn: {
        const Colour &c = material.colour();
        return QColor(int(c.red * 255), int(c.green * 255), int(c.blue * 255), int(c.alpha * 255));
    }
    case DensityColumn: return material.density();
    case YoungModulusColumn: return material.youngModulus();
    case PoissonRatioColumn: return material.poissonRatio();
    default: return QVariant();
    }
}

bool MaterialTableViewItem::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= int(m_materials.size()))
        return false;
    Material &material = m_materials[std::size_t(index.row())];
    switch (index.column()) {
    case NameColumn:
        // A material without a name is not read back from the materials
        // file: it would be gone at the next start.
        if (value.toString().trimmed().isEmpty()) {
            emit nameRefused(material.name());
            return false;
        }
        material.setName(value.toString());
        break;
    case ColourColumn: {
        const QColor colour = value.value<QColor>();
        material.setColour(Colour{colour.red() / 255.0f, colour.green() / 255.0f, colour.blue() / 255.0f,
                                  colour.alpha() / 255.0f});
        break;
    }
    case DensityColumn:
        material.setDensity(value.toFloat());
        break;
    case YoungModulusColumn:
        material.setYoungModulus(value.toFloat());
        break;
    case PoissonRatioColumn:
        material.setPoissonRatio(value.toFloat());
        break;
    default:
        return false;
    }
    emit dataChanged(index, index);
    return true;
}

QVariant MaterialTableViewItem::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return QStringLiteral("%1").arg(section + 1);
    static const char *const titles[] = {QT_TR_NOOP("Material Id"),   QT_TR_NOOP("Material Name"),
                                         QT_TR_NOOP("Color"),         QT_TR_NOOP("Density"),
                                         QT_TR_NOOP("Young Modulus"), QT_TR_NOOP("Poisson Ratio")};
    if (section >= 0 && section < 6)
        return tr(titles[section]);
    return QStringLiteral("Column %1").arg(section);
}

bool MaterialTableViewItem::insertRows(int, int count, const QModelIndex &parent)
{
    if (count < 1 || parent.isValid())
        return false;
    for (int i = 0; i < count; ++i) {
        const int end = int(m_materials.size());
        beginInsertRows(QModelIndex(), end, end);
        m_materials.emplace_back(smallestFreeId(), tr("New Material"), 1.0f, 1.0f, 1.0f, Colour());
        endInsertRows();
    }
    return true;
}

bool MaterialTableViewItem::insertColumns(int, int, const QModelIndex &) { return false; }
bool MaterialTableViewItem::removeColumns(int, int, const QModelIndex &) { return false; }
bool MaterialTableViewItem::removeRows(int, int, const QModelIndex &) { return false; }

Qt::ItemFlags MaterialTableViewItem::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.column() == NameColumn || index.column() == ColourColumn)
        result |= Qt::ItemIsEditable;
    return result;
}

unsigned MaterialTableViewItem::smallestFreeId() const
{
    std::set<unsigned> used;
    for (const Material &material : m_materials)
        used.insert(material.id());
    unsigned id = 3;
    while (used.count(id))
        ++id;
    return id;
}

} // namespace Ui
