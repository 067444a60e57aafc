#pragma once

#include "Model/Materials/Material.h"
#include "Model/Process/Process.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;

namespace Ui {

// "Edit Compatible Materials": for each process of a copy of the process
// catalogue, moves materials between the available and the compatible
// list. The copy is handed back through processes() for whoever opened it
// to apply on OK.
class EditCompatibleMaterialsDialog : public QDialog
{
    Q_OBJECT

public:
    EditCompatibleMaterialsDialog(const std::vector<Model::Process::Process> &processes,
                                  const std::vector<Model::Materials::Material> &materials,
                                  QWidget *parent = nullptr);

    const std::vector<Model::Process::Process> &processes() const { return m_processes; }

private slots:
    void on_cbxProcess_currentIndexChanged(int index);
    void on_btnInsert_clicked();
    void on_btnRemove_clicked();

private:
    Model::Process::Process *currentProcess();
    QString materialName(unsigned id) const;
    void clearSelections();
    void refresh();

    std::vector<Model::Process::Process> m_processes;
    std::vector<Model::Materials::Material> m_materials;
    unsigned m_currentId = 0;
    QComboBox *m_processChoice;
    QListWidget *m_available;
    QListWidget *m_compatible;
    QPushButton *m_insert;
    QPushButton *m_remove;
};

} // namespace Ui
