#include "UI/ColorItemDelegate.h"
#include "UI/EditCompatibleMaterialsDialog.h"
#include "UI/ManageMaterialsDialog.h"
#include "UI/MaterialTableViewItem.h"

#include <QColorDialog>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

using Model::Materials::Material;
using Model::Process::Process;

namespace {

std::vector<Material> materials()
{
    return {Material(1, "Si", 1, 1, 1), Material(3, "Oxide", 1, 1, 1), Material(4, "Al", 1, 1, 1),
            Material(5, "Cu", 1, 1, 1)};
}

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

void select(QListWidget *list, const QString &text)
{
    for (QListWidgetItem *item : list->findItems(text, Qt::MatchExactly))
        item->setSelected(true);
}

} // namespace

TEST(ManageMaterialsDialog, FormNamesTitleAndAddButton)
{
    Ui::ManageMaterialsDialog dialog(materials());
    EXPECT_EQ(dialog.objectName(), "ManageMaterialsBaseDialog");
    EXPECT_EQ(dialog.windowTitle(), "Manage Materials");
    EXPECT_EQ(dialog.size(), QSize(1038, 636));
    auto *table = dialog.findChild<QTableView *>("tvwMaterials");
    ASSERT_TRUE(table);
    EXPECT_TRUE(qobject_cast<Ui::ColorItemDelegate *>(table->itemDelegateForColumn(2)));

    auto *add = dialog.findChild<QPushButton *>("btnAddMaterial");
    ASSERT_TRUE(add);
    EXPECT_EQ(add->text(), "Add Material");
    add->click();
    add->click();
    ASSERT_EQ(dialog.materials().size(), 6u);
    EXPECT_EQ(dialog.materials()[4].id(), 6u);
    EXPECT_EQ(dialog.materials()[5].id(), 7u);
}

TEST(ManageMaterialsDialog, NameEditorStartsWithTheNameAndRefusesABlankOne)
{
    Ui::ManageMaterialsDialog dialog(materials());
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto *table = dialog.findChild<QTableView *>("tvwMaterials");
    auto *message = dialog.findChild<QLabel *>("lblMessage");
    ASSERT_TRUE(table && message);
    const QModelIndex siName = table->model()->index(0, 1);

    // Type into the editor of a name cell and press Enter or click
    // elsewhere, as the user does; gives what the editor showed first.
    enum Leave { Enter, ClickAway };
    auto editName = [table, siName](const QString &text, Leave leave = Enter) -> QString {
        table->edit(siName);
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        if (!editor)
            return "no editor";
        const QString shown = editor->text();
        editor->setText(text);
        if (leave == Enter) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(editor, &enter);
        } else {
            editor->setFocus();
            table->window()->findChild<QPushButton *>("btnAddMaterial")->setFocus(Qt::MouseFocusReason);
        }
        // The delegate commits and closes from the event loop.
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return shown;
    };

    EXPECT_EQ(editName(""), "Si") << "the editor opens on the current name";
    EXPECT_EQ(dialog.materials()[0].name(), "Si") << "an empty name is refused";
    EXPECT_TRUE(message->text().contains("\"Si\"")) << message->text().toStdString();

    EXPECT_EQ(editName("  "), "Si");
    EXPECT_EQ(dialog.materials()[0].name(), "Si");
    EXPECT_EQ(editName("", ClickAway), "Si");
    EXPECT_EQ(dialog.materials()[0].name(), "Si");

    EXPECT_EQ(editName("Silicon", ClickAway), "Si");
    EXPECT_EQ(dialog.materials()[0].name(), "Silicon") << "clicking elsewhere commits";
    EXPECT_TRUE(message->text().isEmpty()) << "a good edit clears the message";
}

TEST(ColorItemDelegate, ChosenColourIsWrittenOnlyWhenAccepted)
{
    Ui::MaterialTableViewItem model(materials());
    Ui::ColorItemDelegate delegate;
    QWidget parent;
    const QModelIndex cell = model.index(0, 2);

    std::unique_ptr<QWidget> editor(delegate.createEditor(&parent, QStyleOptionViewItem(), cell));
    auto *chooser = qobject_cast<QColorDialog *>(editor.get());
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(chooser->testOption(QColorDialog::ShowAlphaChannel));
    delegate.setEditorData(chooser, cell);
    EXPECT_EQ(chooser->currentColor(), QColor(127, 127, 127, 255));

    chooser->setCurrentColor(QColor(10, 20, 30, 40));
    chooser->reject();
    delegate.setModelData(chooser, &model, cell);
    EXPECT_EQ(model.data(cell).value<QColor>(), QColor(127, 127, 127, 255));

    chooser->setCurrentColor(QColor(10, 20, 30, 40));
    chooser->accept();
    delegate.setModelData(chooser, &model, cell);
    EXPECT_EQ(model.data(cell).value<QColor>(), QColor(10, 20, 30, 40));
}

TEST(EditCompatibleMaterialsDialog, OpensOnTheLowestProcessId)
{
    Ui::EditCompatibleMaterialsDialog dialog({Process("CVD", 3, {3}), Process("Si Wet Etching", 1, {1})}, materials());
    EXPECT_EQ(dialog.objectName(), "EditCompatibleMaterialsBaseDialog");
    EXPECT_EQ(dialog.windowTitle(), "Edit Compatible Materials");
    EXPECT_EQ(dialog.size(), QSize(668, 405));
    auto *choice = dialog.findChild<QComboBox *>("cbxProcess");
    auto *compatible = dialog.findChild<QListWidget *>("listCompatibleMaterials");
    auto *available = dialog.findChild<QListWidget *>("listAvailableMaterials");
    ASSERT_TRUE(choice && compatible && available);
    EXPECT_EQ(available->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(available->isSortingEnabled());
    // The copy arrives in catalogue (id) order; the first choice is current.
    EXPECT_EQ(choice->currentText(), "CVD");
    EXPECT_EQ(texts(compatible), QStringList{"Oxide"});

    choice->setCurrentIndex(1);
    EXPECT_EQ(texts(compatible), QStringList{"Si"});
    EXPECT_EQ(texts(available), (QStringList{"Al", "Cu", "Oxide"}));
}

TEST(EditCompatibleMaterialsDialog, InsertMovesSelectedMaterialsOutOfTheAvailableList)
{
    Ui::EditCompatibleMaterialsDialog dialog({Process("PVD", 4, {4})}, materials());
    auto *available = dialog.findChild<QListWidget *>("listAvailableMaterials");
    auto *compatible = dialog.findChild<QListWidget *>("listCompatibleMaterials");
    select(available, "Cu");
    select(available, "Si");
    dialog.findChild<QPushButton *>("btnInsert")->click();

    EXPECT_EQ(texts(available), QStringList{"Oxide"});
    EXPECT_EQ(texts(compatible), (QStringList{"Al", "Cu", "Si"}));
    EXPECT_TRUE(available->selectedItems().isEmpty());
    ASSERT_EQ(dialog.processes().size(), 1u);
    std::vector<unsigned> ids = dialog.processes()[0].compatibleMaterials();
    std::sort(ids.begin() + 1, ids.end());
    EXPECT_EQ(ids, (std::vector<unsigned>{4, 1, 5}));
}

TEST(EditCompatibleMaterialsDialog, RemoveDropsEveryOccurrenceOfAnId)
{
    Ui::EditCompatibleMaterialsDialog dialog({Process("Twice", 9, {4, 3, 4, 1})}, materials());
    auto *compatible = dialog.findChild<QListWidget *>("listCompatibleMaterials");
    EXPECT_EQ(texts(compatible), (QStringList{"Al", "Al", "Oxide", "Si"}));
    compatible->item(0)->setSelected(true);
    dialog.findChild<QPushButton *>("btnRemove")->click();
    EXPECT_EQ(dialog.processes()[0].compatibleMaterials(), (std::vector<unsigned>{3, 1}));
    EXPECT_EQ(texts(dialog.findChild<QListWidget *>("listAvailableMaterials")), (QStringList{"Al", "Cu"}));
}

TEST(EditCompatibleMaterialsDialog, NewCatalogueMaterialIsAvailableEverywhere)
{
    std::vector<Material> catalogue = materials();
    catalogue.emplace_back(17, "New Material", 1, 1, 1);
    Ui::EditCompatibleMaterialsDialog dialog({Process("A", 1, {1}), Process("B", 2, {})}, catalogue);
    auto *available = dialog.findChild<QListWidget *>("listAvailableMaterials");
    EXPECT_TRUE(texts(available).contains("New Material"));
    dialog.findChild<QComboBox *>("cbxProcess")->setCurrentIndex(1);
    EXPECT_TRUE(texts(available).contains("New Material"));
}
