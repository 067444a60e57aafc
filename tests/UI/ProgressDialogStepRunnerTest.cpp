// The window's step runner: a step that takes a while shows a modal
// progress dialog with the operation's title and the step's phase and
// count; Cancel, Escape and the close button ask the step to stop and the
// dialog stays until it has; what the step throws reaches the caller.
#include "UI/ProgressDialogStepRunner.h"

#include "Core/Operations/Frames/Interrupter.h"

#include "ModalDriver.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

using Core::Operations::Interrupter;
using Core::Operations::StepRunner;
using Ui::ProgressDialogStepRunner;

namespace {

// A step that counts its steps until it is stopped or let go; once
// stopped it waits to be let go, so that the test sees the dialog meanwhile.
struct EndlessStep
{
    std::atomic<bool> letGo{false};
    std::atomic<bool> sawStop{false};

    void operator()(Interrupter *interrupter)
    {
        for (int step = 0; !letGo; ++step) {
            interrupter->progress("Testing", step % 1000, 1000);
            if (interrupter->wasInterrupted()) {
                sawStop = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        while (!letGo)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

QProgressDialog *shownDialog()
{
    auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

class ProgressDialogStepRunnerTest : public ::testing::Test
{
protected:
    QWidget window;
    ProgressDialogStepRunner runner{&window};
    EndlessStep step;
};

} // namespace

TEST_F(ProgressDialogStepRunnerTest, CancelAsksTheStepToStopAndTheDialogStaysUntilItHas)
{
    QString title, label, labelWhileStopping;
    int maximum = 0;
    bool modal = false, cancelEnabled = true, stayed = false;
    QPushButton *cancel = nullptr;
    TestSupport::repeatUntil(
        [&] {
            QProgressDialog *dialog = shownDialog();
            if (!dialog)
                return false;
            if (!cancel) {
                if (!dialog->labelText().contains(QStringLiteral("step")))
                    return false;
                title = dialog->windowTitle();
                label = dialog->labelText();
                maximum = dialog->maximum();
                modal = dialog->windowModality() == Qt::ApplicationModal;
                cancel = dialog->findChild<QPushButton *>();
                if (cancel)
                    cancel->click();
                return false;
            }
            if (!step.sawStop)
                return false;
            // The step has seen the request and has not ended yet.
            stayed = dialog->isVisible();
            labelWhileStopping = dialog->labelText();
            cancelEnabled = cancel->isEnabled();
            step.letGo = true;
            return true;
        },
        [&] { step.letGo = true; });

    EXPECT_EQ(runner.run("Isotropic Deposition", std::ref(step)), StepRunner::Canceled);
    EXPECT_EQ(title, QStringLiteral("Isotropic Deposition"));
    EXPECT_TRUE(label.startsWith(QStringLiteral("Testing: step "))) << label.toStdString();
    EXPECT_TRUE(label.endsWith(QStringLiteral(" of 1000"))) << label.toStdString();
    EXPECT_EQ(maximum, 1000);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(labelWhileStopping, QStringLiteral("Canceling..."));
    EXPECT_FALSE(cancelEnabled) << "one request is enough";
    EXPECT_FALSE(shownDialog()) << "gone with the step";
}

TEST_F(ProgressDialogStepRunnerTest, EscapeAndTheCloseButtonAlsoAskTheStepToStop)
{
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "close");
        EndlessStep endless;
        bool stayed = false;
        bool asked = false;
        TestSupport::repeatUntil(
            [&] {
                QProgressDialog *dialog = shownDialog();
                if (!dialog)
                    return false;
                if (!asked) {
                    asked = true;
                    if (escape)
                        dialog->reject();
                    else
                        dialog->close();
                    return false;
                }
                if (!endless.sawStop)
                    return false;
                stayed = dialog->isVisible();
                endless.letGo = true;
                return true;
            },
            [&] { endless.letGo = true; });
        EXPECT_EQ(runner.run("Isotropic Etching", std::ref(endless)), StepRunner::Canceled);
        EXPECT_TRUE(stayed);
    }
}

TEST_F(ProgressDialogStepRunnerTest, AStepThatEndsByItselfIsFinished)
{
    TestSupport::repeatUntil(
        [&] {
            if (!shownDialog())
                return false;
            step.letGo = true;
            return true;
        },
        [&] { step.letGo = true; });
    EXPECT_EQ(runner.run("Electroplating", std::ref(step)), StepRunner::Finished);
    EXPECT_FALSE(step.sawStop);
    EXPECT_FALSE(shownDialog());

    bool ran = false;
    EXPECT_EQ(runner.run("Electroplating", [&ran](Interrupter *interrupter) { ran = interrupter != nullptr; }),
              StepRunner::Finished);
    EXPECT_TRUE(ran) << "the step gets an interrupter to report to";
}

TEST_F(ProgressDialogStepRunnerTest, WhatTheStepThrowsReachesTheCaller)
{
    EXPECT_THROW(runner.run("BCA Wet Etch", [](Interrupter *) { throw std::bad_alloc(); }), std::bad_alloc);
}
