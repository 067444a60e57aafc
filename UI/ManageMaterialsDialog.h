#pragma once

#include "Model/Materials/Material.h"

#include <QDialog>

#include <vector>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTableView;

namespace Ui {

class MaterialTableViewItem;

// "Manage Materials": edits names and colours of a copy of the catalogue and
// adds materials. The copy is handed back through materials(); whoever
// opened the dialog applies it on OK.
class ManageMaterialsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ManageMaterialsDialog(const std::vector<Model::Materials::Material> &materials,
                                   QWidget *parent = nullptr);

    const std::vector<Model::Materials::Material> &materials() const;
    MaterialTableViewItem *model() const { return m_model; }

private slots:
    void on_btnAddMaterial_clicked();

private:
    MaterialTableViewItem *m_model;
    QTableView *m_table;
    QPushButton *m_addButton;
    // Why an edit was refused.
    QLabel *m_message;
    QDialogButtonBox *m_buttons;
};

} // namespace Ui
