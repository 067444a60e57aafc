#include "UI/AboutWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Ui {

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About"));
    setModal(true);
    auto *text = new QLabel(this);
    text->setObjectName(QStringLiteral("lblAbout"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setText(tr("<h2>Tessival</h2>"
                     "<p>A simulator of the fabrication processes of micro-electro-mechanical structures: "
                     "cell volumes, deposition, etching, lithography and wet etching of crystalline silicon.</p>"
                     "<p>Written by the Tessival developers.</p>"
                     "<p>The user interface is built with the Qt toolkit, used under the terms of the GNU Lesser "
                     "General Public License version 3.</p>"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace Ui
