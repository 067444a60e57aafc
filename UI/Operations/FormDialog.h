#pragma once

#include "Model/Materials/Material.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;
class QSpinBox;

namespace Ui {
namespace Operations {

// An options dialog laid out as a form of labelled fields above OK and
// Cancel; the dialogs of the cell-count processes build on it.
class FormDialog : public QDialog
{
    Q_OBJECT

protected:
    explicit FormDialog(QWidget *parent);

    // A whole-number field of cells or units, and its label.
    QSpinBox *addNumber(const QString &label, const char *objectName, int minimum, int maximum, int value,
                        const QString &suffix, QLabel **labelWidget = nullptr);
    // A material choice (see MaterialComboBox).
    QComboBox *addMaterialChoice(const QString &label, const char *objectName);
    // A field without a label, such as a check box.
    void addField(QWidget *field);
    void addField(const QString &label, QWidget *field);
    // The rows of the form, for dialogs that place rows themselves.
    QFormLayout *form() const { return m_form; }

private:
    QFormLayout *m_form;
};

} // namespace Operations
} // namespace Ui
