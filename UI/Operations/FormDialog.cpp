#include "UI/Operations/FormDialog.h"

#include "UI/Operations/DeclaredRange.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace Ui {
namespace Operations {

FormDialog::FormDialog(QWidget *parent)
    : QDialog(parent)
    , m_form(new QFormLayout)
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(m_buttons);
}

QSpinBox *FormDialog::addNumber(const QString &label, const char *objectName, int minimum, int maximum, int value,
                                const QString &suffix, QLabel **labelWidget)
{
    auto *box = new QSpinBox(this);
    box->setObjectName(QLatin1String(objectName));
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setSuffix(suffix);
    auto *text = new QLabel(label, this);
    text->setBuddy(box);
    m_form->addRow(text, box);
    if (labelWidget)
        *labelWidget = text;
    return box;
}

QSpinBox *FormDialog::addNumber(const QString &label, const char *objectName,
                                const Core::Operations::ProcessDescriptor &process, const char *parameter, int value,
                                const QString &suffix, QLabel **labelWidget)
{
    QSpinBox *box = addNumber(label, objectName, value, value, value, suffix, labelWidget);
    DeclaredRange::limit(box, process, parameter);
    box->setValue(value);
    return box;
}

QComboBox *FormDialog::addMaterialChoice(const QString &label, const char *objectName)
{
    auto *choice = new QComboBox(this);
    choice->setObjectName(QLatin1String(objectName));
    m_form->addRow(label, choice);
    m_materialChoices.push_back(choice);
    QAbstractItemModel *items = choice->model();
    connect(items, &QAbstractItemModel::rowsInserted, this, &FormDialog::updateAcceptable);
    connect(items, &QAbstractItemModel::rowsRemoved, this, &FormDialog::updateAcceptable);
    connect(items, &QAbstractItemModel::modelReset, this, &FormDialog::updateAcceptable);
    updateAcceptable();
    return choice;
}

void FormDialog::updateAcceptable()
{
    const bool chosen = std::all_of(m_materialChoices.begin(), m_materialChoices.end(),
                                    [](const QComboBox *choice) { return choice->count() > 0; });
    QPushButton *ok = m_buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(chosen);
    ok->setToolTip(chosen ? QString() : tr("There is no material to choose: the process catalogue allows this process none."));
}

void FormDialog::addField(QWidget *field)
{
    m_form->addRow(field);
}

void FormDialog::addField(const QString &label, QWidget *field)
{
    m_form->addRow(label, field);
}

} // namespace Operations
} // namespace Ui
