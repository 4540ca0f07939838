#include "translate/InputBoxQuestion.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

constexpr int PromptWidth = 420; // pixels; a long prompt wraps onto several lines

} // namespace

QString InputBoxQuestion::ask(const QString& prompt, const QString& title)
{
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(title);

    auto* label = new QLabel(prompt, &dialog);
    label->setObjectName(QStringLiteral("Prompt"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(PromptWidth);

    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("Answer"));
    label->setBuddy(edit); // a screen reader reads the prompt as the edit line's name

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    edit->setFocus();

    return dialog.exec() == QDialog::Accepted ? edit->text() : QString();
}
