#pragma once

#include <QDialog>
#include <QString>

#include <boost/weak_ptr.hpp>

#include <functional>

class QCheckBox;
class QPushButton;

namespace Core {
namespace Operations {
class RunModelExtraction;
}
}

namespace Ui {
namespace Operations {

// The small window of "Extract Model": three buttons run the extraction's
// steps in turn, each enabling the next. It stays open beside the view;
// closing it ends the extraction.
class ExtractModelDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for the netlist file; empty when the user gives up.
    using FileChooser = std::function<QString(QWidget *parent, const QString &start)>;

    ExtractModelDialog(const boost::weak_ptr<Core::Operations::RunModelExtraction> &operation, QWidget *parent);

    QPushButton *stepOneButton() const { return m_stepOne; }
    QPushButton *stepTwoButton() const { return m_stepTwo; }
    QPushButton *stepThreeButton() const { return m_stepThree; }
    // Step 3 writes a subcircuit, named after the file, instead of a deck.
    QCheckBox *subcircuitBox() const { return m_subcircuit; }
    void setFileChooser(const FileChooser &chooser) { m_chooseFile = chooser; }

    // Where the next netlist is offered to be saved: the last path saved, at
    // first the home folder.
    static QString &lastNetlistPath();
    // The name a subcircuit written to `path` takes: the file's base name
    // with every character a circuit name cannot hold as "_" ("beam 2.cir":
    // "beam_2"; one starting with a digit gets a "_" before it).
    static QString subcircuitName(const QString &path);

    // Closes the window without ending the extraction, which already ended.
    void dismiss();

public slots:
    void runStepOneClicked();
    void runStepTwoClicked();
    void runStepThreeClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    boost::weak_ptr<Core::Operations::RunModelExtraction> m_operation;
    QPushButton *m_stepOne;
    QPushButton *m_stepTwo;
    QPushButton *m_stepThree;
    QCheckBox *m_subcircuit;
    FileChooser m_chooseFile;
    bool m_dismissed = false;
};

} // namespace Operations
} // namespace Ui
