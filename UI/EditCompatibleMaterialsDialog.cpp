#include "UI/EditCompatibleMaterialsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Ui {

using Model::Materials::Material;
using Model::Process::Process;

namespace {

QListWidget *materialList(const QString &name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(true);
    return list;
}

QListWidgetItem *materialItem(const QString &name, unsigned id)
{
    auto *item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, QVariant(id));
    return item;
}

} // namespace

EditCompatibleMaterialsDialog::EditCompatibleMaterialsDialog(const std::vector<Process> &processes,
                                                             const std::vector<Material> &materials,
                                                             QWidget *parent)
    : QDialog(parent)
    , m_processes(processes)
    , m_materials(materials)
    , m_processChoice(new QComboBox(this))
    , m_available(materialList(QStringLiteral("listAvailableMaterials"), this))
    , m_compatible(materialList(QStringLiteral("listCompatibleMaterials"), this))
    , m_insert(new QPushButton(QStringLiteral(">>"), this))
    , m_remove(new QPushButton(QStringLiteral("<<"), this))
{
    setObjectName(QStringLiteral("EditCompatibleMaterialsBaseDialog"));
    setWindowTitle(tr("Edit Compatible Materials"));
    resize(668, 405);

    auto *processLabel = new QLabel(tr("Process"), this);
    processLabel->setObjectName(QStringLiteral("lblProcess"));
    m_processChoice->setObjectName(QStringLiteral("cbxProcess"));
    m_insert->setObjectName(QStringLiteral("btnInsert"));
    m_remove->setObjectName(QStringLiteral("btnRemove"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));

    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(m_insert);
    arrows->addWidget(m_remove);
    arrows->addStretch();
    auto *grid = new QGridLayout(this);
    grid->addWidget(processLabel, 0, 0);
    grid->addWidget(m_processChoice, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Available Materials"), this), 1, 0);
    grid->addWidget(new QLabel(tr("Compatible Materials"), this), 1, 2);
    grid->addWidget(m_available, 2, 0);
    grid->addLayout(arrows, 2, 1);
    grid->addWidget(m_compatible, 2, 2);
    grid->addWidget(buttons, 3, 0, 1, 3);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);

    // The first choice added becomes current, so the lowest id opens.
    for (const Process &process : m_processes)
        m_processChoice->addItem(process.name(), QVariant(process.id()));
}

void EditCompatibleMaterialsDialog::on_cbxProcess_currentIndexChanged(int index)
{
    m_currentId = index < 0 ? 0u : m_processChoice->itemData(index).toUInt();
    refresh();
}

void EditCompatibleMaterialsDialog::on_btnInsert_clicked()
{
    if (Process *process = currentProcess()) {
        std::vector<unsigned> ids = process->compatibleMaterials();
        for (const QListWidgetItem *item : m_available->selectedItems())
            ids.push_back(item->data(Qt::UserRole).toUInt());
        process->setCompatibleMaterials(ids);
    }
    clearSelections();
    refresh();
}

void EditCompatibleMaterialsDialog::on_btnRemove_clicked()
{
    if (Process *process = currentProcess()) {
        std::vector<unsigned> ids = process->compatibleMaterials();
        for (const QListWidgetItem *item : m_compatible->selectedItems()) {
            const unsigned id = item->data(Qt::UserRole).toUInt();
            ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
        }
        process->setCompatibleMaterials(ids);
    }
    clearSelections();
    refresh();
}

Process *EditCompatibleMaterialsDialog::currentProcess()
{
    for (Process &process : m_processes)
        if (process.id() == m_currentId && m_currentId != 0)
            return &process;
    return nullptr;
}

QString EditCompatibleMaterialsDialog::materialName(unsigned id) const
{
    for (const Material &material : m_materials)
        if (material.id() == id)
            return material.name();
    return Material().name();
}

void EditCompatibleMaterialsDialog::clearSelections()
{
    m_available->clearSelection();
    m_compatible->clearSelection();
}

void EditCompatibleMaterialsDialog::refresh()
{
    const Process *process = currentProcess();
    if (!process)
        return;
    m_compatible->clear();
    m_available->clear();
    const std::vector<unsigned> &ids = process->compatibleMaterials();
    for (unsigned id : ids)
        m_compatible->addItem(materialItem(materialName(id), id));
    for (const Material &material : m_materials)
        if (std::find(ids.begin(), ids.end(), material.id()) == ids.end())
            m_available->addItem(materialItem(material.name(), material.id()));
}

} // namespace Ui
