// "Currency Settings": the country list and the two currency boxes.
#include "main/currency_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "main/admin_only.h"
#include "main/parent.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/select_all_text.h"

namespace app {
namespace {

constexpr int kNameLength = 100;
constexpr int kSymbolLength = 3;

} // namespace

CurrencySettings::CurrencySettings(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("CurrencySettings"));
    setWindowTitle(QStringLiteral("Currency Settings"));

    m_countryList = new QComboBox(this);
    m_countryList->setObjectName(QStringLiteral("CountryList"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("CName"));
    forms::limitLength(m_name, kNameLength);
    forms::selectAllOnFocus(m_name);
    m_symbol = new QLineEdit(this);
    m_symbol->setObjectName(QStringLiteral("CSymbol"));
    forms::limitLength(m_symbol, kSymbolLength);
    forms::selectAllOnFocus(m_symbol);
    m_serial = new QLineEdit(this);
    m_serial->setObjectName(QStringLiteral("CSerial"));
    m_serial->setVisible(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Country Name"), this), 0, 0);
    fields->addWidget(m_countryList, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Currency Name "), this), 1, 0);
    fields->addWidget(m_name, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Currency Symbol "), this), 2, 0);
    fields->addWidget(m_symbol, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("(Maximum 3 characters)"), this), 2, 2);

    auto* save = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn"));
    auto* cancel = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));
    connect(save, &QPushButton::clicked, this, &CurrencySettings::SaveBttn_Click);
    connect(cancel, &QPushButton::clicked, this, &CurrencySettings::CancelBttn_Click);
    connect(m_countryList, &QComboBox::currentIndexChanged, this, &CurrencySettings::CountryList_Change);

    auto* hint = new QLabel(
        QStringLiteral("(Select country of your business from the list to display currency details.)"), this);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(this, QStringLiteral("Currency Settings")));
    layout->addWidget(hint);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({save, cancel}));

    m_refused = refusedToOperator(this, m_main, Menu::Gen, 100);
    if (!m_refused)
        Form_Load();
}

void CurrencySettings::Form_Load()
{
    auto* save = findChild<QPushButton*>(QStringLiteral("SaveBttn"));
    save->setEnabled(false);
    std::optional<BusinessCurrency> stored;
    try {
        m_countries = listCountries(*m_main.Pelkconn);
        stored = loadBusinessCurrency(*m_main.Pelkconn);
        save->setEnabled(true);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    // Showing the stored country proposes nothing: the boxes keep the
    // business's own name and symbol.
    const QSignalBlocker quiet(m_countryList);
    m_countryList->clear();
    for (const CountryRow& c : m_countries)
        m_countryList->addItem(QString::fromStdString(c.country), c.serial);
    if (stored) {
        m_countryList->setCurrentIndex(
            m_countryList->findText(QString::fromStdString(stored->country), Qt::MatchFixedString));
        forms::setLoadedText(m_name, QString::fromStdString(stored->currencyName));
        forms::setLoadedText(m_symbol, QString::fromStdString(stored->symbol));
    } else {
        m_countryList->setCurrentIndex(-1);
    }
    m_serial->setText(m_countryList->currentIndex() < 0 ? QString() : m_countryList->currentData().toString());
}

void CurrencySettings::CountryList_Change()
{
    const int i = m_countryList->currentIndex();
    if (i < 0 || i >= static_cast<int>(m_countries.size()))
        return;
    const CountryRow& c = m_countries[static_cast<std::size_t>(i)];
    m_serial->setText(QString::number(c.serial));
    forms::setLoadedText(m_name, QString::fromStdString(c.currencyName));
    forms::setLoadedText(m_symbol, QString::fromStdString(c.symbol));
}

void CurrencySettings::SaveBttn_Click()
{
    if (m_refused)
        return;
    const int i = m_countryList->currentIndex();
    if (i < 0 || i >= static_cast<int>(m_countries.size())) {
        forms::showFailure(this, {QStringLiteral("Cannot Save"),
                                  QStringLiteral("Select the country of your business from the list."),
                                  QStringLiteral("CountryList")});
        return;
    }
    const CountryRow& country = m_countries[static_cast<std::size_t>(i)];
    const BusinessCurrency currency{country.country, m_name->text().toStdString(), m_symbol->text().toStdString()};
    try {
        platform::Transaction tx(*m_main.Pelkconn);
        if (!storeCurrency(tx, country.serial, currency)) {
            showNoCompanyRow(this);
            return;
        }
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    m_main.CurrencyName = m_name->text();
    m_main.CurrencySymbol = m_symbol->text();
    accept();
}

void CurrencySettings::CancelBttn_Click()
{
    reject();
}

} // namespace app
