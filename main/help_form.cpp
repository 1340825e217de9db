// The troubleshooting answer.
#include "main/help_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "main/business_store.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace app {

HelpForm::HelpForm(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Troubleshooting"));

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Label1"));
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setWordWrap(true);
    QFont bold = m_heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_heading->setFont(bold);
    // The answers come with the program as formatted text; they are shown, never edited.
    m_matter = new QTextBrowser(this);
    m_matter->setObjectName(QStringLiteral("RichTextBox1"));
    m_matter->setReadOnly(true);
    m_matter->setOpenLinks(false);
    m_id = new QLineEdit(this);
    m_id->setObjectName(QStringLiteral("EmpID"));
    m_id->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_matter, 1);
    resize(640, 480);

    Form_Load();
}

void HelpForm::Form_Load()
{
    try {
        if (const auto help = loadHelp(*m_main.Pelkconn, m_main.HelpID)) {
            m_heading->setText(QString::fromStdString(help->heading));
            m_matter->setHtml(QString::fromStdString(help->matter));
            m_id->setText(QString::number(help->id));
        }
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

} // namespace app
