#include "UI/Operations/DocumentUnitsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Ui {
namespace Operations {

DocumentUnitsDialog::DocumentUnitsDialog(QWidget *parent)
    : FormDialog(parent)
    , m_length(new QLineEdit(this))
    , m_problem(new QLabel(this))
    , m_ok(findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok))
{
    setObjectName(QStringLiteral("DocumentUnitsDialog"));
    setWindowTitle(tr("Document Units"));
    m_length->setObjectName(QStringLiteral("txtLengthUnit"));
    m_length->setToolTip(tr("How long a cell of size 1 is: a number and m, mm, µm (or um) or nm. Netlists, "
                            "exports, scale bars and the status bar give lengths in it."));
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    addField(tr("One world unit is"), m_length);
    addField(m_problem);
    connect(m_length, &QLineEdit::textChanged, this, &DocumentUnitsDialog::takeText);
    setLengthUnit(m_unit);
}

void DocumentUnitsDialog::setLengthUnit(const Model::LengthUnit &unit)
{
    m_unit = unit;
    m_length->setText(unit.toString());
}

void DocumentUnitsDialog::takeText(const QString &text)
{
    // The unit as shown is kept to the last digit: read back from its six
    // shown digits it would change a little.
    Model::LengthUnit typed;
    const bool isLength = text == m_unit.toString() || Model::LengthUnit::parse(text, &typed);
    if (isLength && text != m_unit.toString())
        m_unit = typed;
    m_ok->setEnabled(isLength);
    m_problem->setText(isLength ? QString() : tr("Type a length such as 1 µm, 500 nm or 0.1 mm."));
}

} // namespace Operations
} // namespace Ui
