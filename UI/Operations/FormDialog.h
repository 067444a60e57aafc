#pragma once

#include "Model/Materials/Material.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QSpinBox;

namespace Core {
namespace Operations {
class ProcessDescriptor;
}
}

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
    // The same for `parameter` of `process`, offering the numbers it
    // declares (see DeclaredRange).
    QSpinBox *addNumber(const QString &label, const char *objectName, const Core::Operations::ProcessDescriptor &process,
                        const char *parameter, int value, const QString &suffix, QLabel **labelWidget = nullptr);
    // A material choice (see MaterialComboBox). While one of them has
    // nothing to choose the dialog cannot be accepted: it would give
    // material 0, the empty cell.
    QComboBox *addMaterialChoice(const QString &label, const char *objectName);
    // A field without a label, such as a check box.
    void addField(QWidget *field);
    void addField(const QString &label, QWidget *field);
    // The rows of the form, for dialogs that place rows themselves.
    QFormLayout *form() const { return m_form; }

private:
    void updateAcceptable();

    QFormLayout *m_form;
    QDialogButtonBox *m_buttons;
    std::vector<QComboBox *> m_materialChoices;
};

} // namespace Operations
} // namespace Ui
