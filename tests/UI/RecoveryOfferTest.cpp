// The offer at start after a program that did not end properly. Invariants:
// what a program that is gone left is offered once; Open opens each copy
// that reads whole in a window of its own, unsaved and without a file name,
// and keeps a damaged one aside with a message instead of failing the
// start; Discard throws the copies away; after a clean end nothing is asked.
#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"
#include "UI/RecoveryOffer.h"

#include "EndedProgramLock.h"
#include "ModalDriver.h"
#include "TempFolder.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <memory>

using TestSupport::TempFolder;
using Ui::RecoveryOffer;

namespace {

// A program that is gone left a good copy and a damaged one in `root`.
void leaveCopies(const TempFolder &root)
{
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("1234")));
    Core::Operations::OperationContext context;
    context.document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
        3, 2, 2, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(12, 1)));
    ASSERT_TRUE(Core::Operations::DocumentFiles::save(root.file(QStringLiteral("1234/document-1.cvx")), context).ok);
    ASSERT_TRUE(TempFolder::write(root.file(QStringLiteral("1234/document-2.cvx")), "<Document><Hea"));
    ASSERT_TRUE(TempFolder::write(root.file(QStringLiteral("1234.lock")),
                                  TestSupport::lockOfEndedProgram(root.file(QStringLiteral("probe.lock")))));
}

// Presses the button with `text` in the next message box; then, when
// `then` is given, acts on the box after it.
void press(const QString &text, std::function<void()> then = {})
{
    TestSupport::whenModal<QMessageBox>([text, then](QMessageBox *box) {
        for (QAbstractButton *button : box->buttons())
            if (button->text() == text) {
                if (then)
                    then();
                button->click();
                return;
            }
        box->reject();
    });
}

} // namespace

TEST(RecoveryOfferTest, OpenOpensWhatReadsWholeAndKeepsADamagedCopyAside)
{
    TempFolder root;
    leaveCopies(root);
    ASSERT_EQ(RecoveryOffer::leftBehind(root.path()).size(), 2);

    const auto warning = std::make_shared<QString>();
    press(QStringLiteral("Open"), [warning] {
        TestSupport::whenModal<QMessageBox>([warning](QMessageBox *box) {
            *warning = box->text();
            box->accept();
        });
    });
    const std::vector<Ui::MainWindow *> windows = RecoveryOffer::offer(nullptr, root.path());
    ASSERT_EQ(windows.size(), 1u);
    Core::Operations::OperationContext &context = windows[0]->presenter()->context();
    const auto volume = Model::Automaton::firstCellVolume(context.document().allObjects());
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->materials(), std::vector<std::uint32_t>(12, 1u));
    EXPECT_TRUE(context.document().fileName().isEmpty()) << "Save asks where";
    EXPECT_FALSE(context.history().isAtSavedState());

    EXPECT_TRUE(warning->contains(QStringLiteral("document-2.cvx"))) << warning->toStdString();
    EXPECT_EQ(QDir(RecoveryOffer::damagedFolder(root.path())).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(QDir(root.file(QStringLiteral("1234"))).exists());
    EXPECT_TRUE(RecoveryOffer::leftBehind(root.path()).isEmpty()) << "offered once";
    for (Ui::MainWindow *window : windows)
        delete window;
}

TEST(RecoveryOfferTest, DiscardThrowsTheCopiesAwayAndACleanEndAsksNothing)
{
    TempFolder root;
    leaveCopies(root);
    press(QStringLiteral("Discard"));
    EXPECT_TRUE(RecoveryOffer::offer(nullptr, root.path()).empty());
    EXPECT_FALSE(QDir(root.file(QStringLiteral("1234"))).exists());
    EXPECT_TRUE(RecoveryOffer::leftBehind(root.path()).isEmpty());

    const auto asked = std::make_shared<bool>(false);
    TestSupport::whenModal<QMessageBox>([asked](QMessageBox *box) {
        *asked = true;
        box->reject();
    });
    EXPECT_TRUE(RecoveryOffer::offer(nullptr, root.path()).empty());
    EXPECT_FALSE(*asked);
}
