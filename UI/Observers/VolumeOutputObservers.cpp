#include "UI/Observers/VolumeOutputObservers.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/VolumeExport.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/CrossSectionDialog.h"
#include "UI/View/CrossSectionImage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace Ui {
namespace Observers {

namespace {

// Where the last output was written: the next dialog starts there.
QString &lastFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

// Asks for a file to write; a name without an extension takes the one of
// the chosen filter. Empty when dismissed.
QString chooseFile(QWidget *parent, const QString &title, const QString &filters)
{
    QFileDialog dialog(parent, title, lastFolder(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString file = dialog.selectedFiles().first();
    if (QFileInfo(file).suffix().isEmpty()) {
        static const QRegularExpression extension(QStringLiteral("\\*(\\.\\w+)"));
        const QRegularExpressionMatch match = extension.match(dialog.selectedNameFilter());
        if (match.hasMatch())
            file += match.captured(1);
    }
    lastFolder() = QFileInfo(file).absolutePath();
    return file;
}

void finish(Core::Operations::VolumeOutputOperation &operation, const QString &file, QWidget *parent)
{
    if (file.isEmpty()) {
        operation.cancel();
        return;
    }
    operation.setFileName(file);
    operation.end();
    if (!operation.problem().isEmpty())
        QMessageBox::warning(parent, QObject::tr("File Error"), operation.problem());
}

} // namespace

void ExportVolumeObserver::showOptions(Core::Operations::ExportVolumeOperation &operation)
{
    const QString file =
        chooseFile(dialogParent(), QObject::tr("Export"), Model::Export::VolumeExport::dialogFilters());
    finish(operation, file, dialogParent());
}

void SaveCrossSectionObserver::showOptions(Core::Operations::SaveCrossSectionOperation &operation)
{
    const auto volume = operation.volume();
    if (!volume)
        return;
    Operations::CrossSectionDialog dialog(dialogParent());
    dialog.setVolumeSize({int(volume->sizeX()), int(volume->sizeY()), int(volume->sizeZ())});
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    const Model::LengthUnit unit = context()->document().lengthUnit();
    operation.setSection(dialog.axis(), dialog.index(),
                         [unit](Model::Automaton::TotalVolume &cut, int axis, int index, const QString &file,
                                QString *problem) {
                             return CrossSectionImage::save(cut, axis, index,
                                                            *Model::Materials::MaterialFactory::getInstance(), unit,
                                                            file, problem);
                         });
    const QString file = chooseFile(dialogParent(), QObject::tr("Save Cross-Section"),
                                    QObject::tr("Images (*.png *.bmp *.jpg)"));
    finish(operation, file, dialogParent());
}

} // namespace Observers
} // namespace Ui
