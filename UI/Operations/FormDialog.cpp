#include "UI/Operations/FormDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

FormDialog::FormDialog(QWidget *parent) : QDialog(parent), m_form(new QFormLayout)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(buttons);
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

QComboBox *FormDialog::addMaterialChoice(const QString &label, const char *objectName)
{
    auto *choice = new QComboBox(this);
    choice->setObjectName(QLatin1String(objectName));
    m_form->addRow(label, choice);
    return choice;
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
