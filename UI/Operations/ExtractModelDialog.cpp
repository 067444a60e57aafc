#include "UI/Operations/ExtractModelDialog.h"

#include "Core/Operations/ModelExtraction/RunModelExtraction.h"
#include "Model/ModelExtraction/NetlistFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

namespace {

QPushButton *addStep(QVBoxLayout *layout, const QString &label, const QString &button, const char *name)
{
    layout->addWidget(new QLabel(label));
    auto *push = new QPushButton(button);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    layout->addWidget(push);
    return push;
}

} // namespace

QString &ExtractModelDialog::lastNetlistPath()
{
    static QString path = QDir::homePath();
    return path;
}

ExtractModelDialog::ExtractModelDialog(const boost::weak_ptr<Core::Operations::RunModelExtraction> &operation,
                                       QWidget *parent)
    : QDialog(parent)
    , m_operation(operation)
    , m_chooseFile([](QWidget *chooserParent, const QString &start) {
        return QFileDialog::getSaveFileName(chooserParent, tr("Save netlist"), start, tr("Circuit files *.cir"));
    })
{
    setObjectName(QStringLiteral("ExtractModelForm"));
    setWindowTitle(tr("Extract Model"));
    resize(175, 247);
    auto *layout = new QVBoxLayout(this);
    m_stepOne = addStep(layout, tr("Preprocessing"), tr("Run Step 1"), "runStepOne");
    m_stepTwo = addStep(layout, tr("Feature Detection"), tr("Run Step 2"), "runStepTwo");
    m_stepThree = addStep(layout, tr("Model Extraction"), tr("Run Step 3"), "runStepThree");
    m_subcircuit = new QCheckBox(tr("Write a subcircuit"));
    m_subcircuit->setObjectName(QStringLiteral("chkSubcircuit"));
    m_subcircuit->setToolTip(tr("Write the beams as a subcircuit named after the file, with one port per beam, to "
                                "include into a larger circuit; otherwise a netlist that runs as it is."));
    layout->addWidget(m_subcircuit);
    m_stepTwo->setEnabled(false);
    m_stepThree->setEnabled(false);
    connect(m_stepOne, &QPushButton::clicked, this, &ExtractModelDialog::runStepOneClicked);
    connect(m_stepTwo, &QPushButton::clicked, this, &ExtractModelDialog::runStepTwoClicked);
    connect(m_stepThree, &QPushButton::clicked, this, &ExtractModelDialog::runStepThreeClicked);
}

void ExtractModelDialog::runStepOneClicked()
{
    if (const auto operation = m_operation.lock())
        operation->runPreprocessing();
    m_stepOne->setEnabled(false);
    m_stepTwo->setEnabled(true);
}

void ExtractModelDialog::runStepTwoClicked()
{
    if (const auto operation = m_operation.lock())
        operation->runFeatureDetection();
    m_stepTwo->setEnabled(false);
    m_stepThree->setEnabled(true);
}

void ExtractModelDialog::runStepThreeClicked()
{
    const auto operation = m_operation.lock();
    const QString text = operation ? operation->getNetlist() : QString();
    if (text.isEmpty()) {
        QMessageBox::information(this, tr("No model data"), tr("No model data was extracted."));
        return;
    }
    const QString path = m_chooseFile(this, lastNetlistPath());
    if (path.isEmpty())
        return;
    lastNetlistPath() = path;
    const QString written = m_subcircuit->isChecked() ? operation->getSubcircuit(subcircuitName(path)) : text;
    if (!Model::ModelExtraction::NetlistFile::write(path, written))
        QMessageBox::warning(nullptr, tr("File Error"), tr("Unable to save to selected file!"));
}

QString ExtractModelDialog::subcircuitName(const QString &path)
{
    QString name = QFileInfo(path).completeBaseName();
    for (QChar &c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    if (name.isEmpty() || name.at(0).isDigit())
        name.prepend(QLatin1Char('_'));
    return name;
}

void ExtractModelDialog::dismiss()
{
    m_dismissed = true;
    close();
}

void ExtractModelDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_dismissed)
        return;
    m_dismissed = true;
    if (const auto operation = m_operation.lock())
        operation->end();
}

} // namespace Operations
} // namespace Ui
