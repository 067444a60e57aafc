#pragma once

#include "Model/LengthUnit.h"
#include "UI/Operations/FormDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
namespace Operations {

// The length of the document's world unit, typed as a number and a unit
// ("1 µm", "2.5nm"); OK is there only while the text is a length.
class DocumentUnitsDialog : public FormDialog
{
    Q_OBJECT

public:
    explicit DocumentUnitsDialog(QWidget *parent = nullptr);

    void setLengthUnit(const Model::LengthUnit &unit);
    // The unit typed; the one set before while the text is no length.
    Model::LengthUnit lengthUnit() const { return m_unit; }
    QLineEdit *lengthEdit() const { return m_length; }

private:
    void takeText(const QString &text);

    QLineEdit *m_length;
    QLabel *m_problem;
    QPushButton *m_ok;
    Model::LengthUnit m_unit;
};

} // namespace Operations
} // namespace Ui
