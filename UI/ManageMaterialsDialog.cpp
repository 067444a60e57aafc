#include "UI/ManageMaterialsDialog.h"

#include "UI/ColorItemDelegate.h"
#include "UI/MaterialTableViewItem.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace Ui {

ManageMaterialsDialog::ManageMaterialsDialog(const std::vector<Model::Materials::Material> &materials,
                                             QWidget *parent)
    : QDialog(parent)
    , m_model(new MaterialTableViewItem(materials, this))
    , m_table(new QTableView(this))
    , m_addButton(new QPushButton(tr("Add Material"), this))
    , m_message(new QLabel(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("ManageMaterialsBaseDialog"));
    setWindowTitle(tr("Manage Materials"));
    resize(1038, 636);

    m_table->setObjectName(QStringLiteral("tvwMaterials"));
    m_table->setModel(m_model);
    m_table->setItemDelegateForColumn(MaterialTableViewItem::ColourColumn, new ColorItemDelegate(m_table));
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_addButton->setObjectName(QStringLiteral("btnAddMaterial"));
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    m_message->setObjectName(QStringLiteral("lblMessage"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_addButton);
    bottom->addWidget(m_message, 1);
    bottom->addWidget(m_buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(bottom);

    // A message box here would pop up while the editor is closing (a click
    // elsewhere commits the name), so the refusal is told in the dialog.
    connect(m_model, &MaterialTableViewItem::nameRefused, this, [this](const QString &keptName) {
        m_message->setText(tr("A material needs a name; it keeps the name \"%1\".").arg(keptName));
    });
    connect(m_model, &QAbstractItemModel::dataChanged, m_message, &QLabel::clear);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
}

const std::vector<Model::Materials::Material> &ManageMaterialsDialog::materials() const
{
    return m_model->materials();
}

void ManageMaterialsDialog::on_btnAddMaterial_clicked()
{
    m_model->insertRows(m_model->rowCount(), 1);
    m_table->scrollToBottom();
}

} // namespace Ui
