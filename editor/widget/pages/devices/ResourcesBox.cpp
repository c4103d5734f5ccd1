// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/ResourcesBox.h"

#include "editor/widget/UiText.h"
#include "editor/widget/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <charconv>
#include <limits>

namespace zentravolix::editor {

namespace {

using Level = tarvonel::ResourceAllocation::SharesLevel;

// Entries of the shares list: the product's default (no line), the three levels, a number.
constexpr int kSharesDefault = 0;
constexpr int kSharesCustom = 4;

/** A whole number of 0 or more; nothing for any other text. */
std::optional<std::int64_t> wholeNumber(const QString& text)
{
    const std::string value = text.trimmed().toStdString();
    std::int64_t n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || n < 0)
        return std::nullopt;
    return n;
}

QString numberText(const std::optional<std::int64_t>& n)
{
    return n ? QString::number(*n) : QString();
}

/** A field's caption without its colon, as a message names it. */
QString fieldName(const QLabel* label)
{
    QString name = label->text().trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace

ResourcesBox::ResourcesBox(Kind kind, QWidget* parent)
    : QGroupBox(parent), m_kind(kind)
{
    setObjectName(kind == Kind::Processor ? QStringLiteral("fraCPUResources") : QStringLiteral("fraMemResources"));
    const QString prefix = kind == Kind::Processor ? QStringLiteral("CPU") : QStringLiteral("Mem");
    const auto named = [&](QWidget* widget, const char* what) {
        widget->setObjectName(QLatin1String(what) + prefix);
        return widget;
    };
    auto* grid = new QGridLayout(this);
    m_lblReservation = new QLabel(this);
    m_txtReservation = new QLineEdit(this);
    named(m_txtReservation, "txtReservation");
    m_lblReservation->setBuddy(m_txtReservation);
    grid->addWidget(m_lblReservation, 0, 0);
    grid->addWidget(m_txtReservation, 0, 1);
    int row = 1;
    if (kind == Kind::Memory) {
        m_lblMinimumSize = new QLabel(this);
        m_txtMinimumSize = new QLineEdit(this);
        named(m_txtMinimumSize, "txtMinimumSize");
        m_lblMinimumSize->setBuddy(m_txtMinimumSize);
        grid->addWidget(m_lblMinimumSize, row, 0);
        grid->addWidget(m_txtMinimumSize, row, 1);
        ++row;
    }
    m_lblLimit = new QLabel(this);
    m_txtLimit = new QLineEdit(this);
    named(m_txtLimit, "txtLimit");
    m_lblLimit->setBuddy(m_txtLimit);
    m_chkUnlimited = new QCheckBox(this);
    named(m_chkUnlimited, "chkUnlimited");
    grid->addWidget(m_lblLimit, row, 0);
    grid->addWidget(m_txtLimit, row, 1);
    grid->addWidget(m_chkUnlimited, row, 2);
    ++row;
    m_lblShares = new QLabel(this);
    m_cboShares = new QComboBox(this);
    named(m_cboShares, "cboShares");
    m_txtShares = new QLineEdit(this);
    named(m_txtShares, "txtShares");
    m_lblShares->setBuddy(m_cboShares);
    grid->addWidget(m_lblShares, row, 0);
    grid->addWidget(m_cboShares, row, 1);
    grid->addWidget(m_txtShares, row, 2);
    grid->setColumnStretch(3, 1);

    connect(m_txtReservation, &QLineEdit::editingFinished, this,
            [this] { commitNumber(m_txtReservation, m_lblReservation, &tarvonel::ResourceAllocation::Reservation); });
    if (m_txtMinimumSize)
        connect(m_txtMinimumSize, &QLineEdit::editingFinished, this, [this] {
            commitNumber(m_txtMinimumSize, m_lblMinimumSize, &tarvonel::ResourceAllocation::MinimumSize);
        });
    connect(m_txtLimit, &QLineEdit::editingFinished, this,
            [this] { commitNumber(m_txtLimit, m_lblLimit, &tarvonel::ResourceAllocation::Limit); });
    connect(m_chkUnlimited, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_loading)
            return;
        m_shown.LimitUnlimited = checked;
        if (checked)
            m_shown.Limit.reset();
        report();
    });
    connect(m_cboShares, qOverload<int>(&QComboBox::activated), this, [this] { commitShares(); });
    connect(m_txtShares, &QLineEdit::editingFinished, this, [this] { commitShares(); });
    updateUILabels();
}

void ResourcesBox::showAllocation(const tarvonel::ResourceAllocation& allocation)
{
    m_loading = true;
    m_shown = allocation;
    m_txtReservation->setText(numberText(allocation.Reservation));
    if (m_txtMinimumSize)
        m_txtMinimumSize->setText(numberText(allocation.MinimumSize));
    m_chkUnlimited->setChecked(allocation.LimitUnlimited);
    m_txtLimit->setText(allocation.LimitUnlimited ? QString() : numberText(allocation.Limit));
    m_txtLimit->setEnabled(!allocation.LimitUnlimited);
    int shares = kSharesDefault;
    if (allocation.Level)
        shares = static_cast<int>(*allocation.Level) + 1;
    else if (allocation.CustomShares)
        shares = kSharesCustom;
    m_cboShares->setCurrentIndex(shares);
    m_txtShares->setText(shares == kSharesCustom ? numberText(allocation.CustomShares) : QString());
    m_txtShares->setVisible(shares == kSharesCustom);
    m_loading = false;
}

void ResourcesBox::commitNumber(QLineEdit* box, QLabel* label,
                                std::optional<std::int64_t> tarvonel::ResourceAllocation::*member)
{
    if (m_loading || m_refusing)
        return;
    const QString typed = box->text().trimmed();
    std::optional<std::int64_t> value;
    if (!typed.isEmpty()) {
        value = wholeNumber(typed);
        if (!value) {
            m_refusing = true;
            if (refused)
                refused(text(2924).arg(fieldName(label)));
            m_refusing = false;
            box->setFocus();
            return;
        }
    }
    if (m_shown.*member == value)
        return;
    m_shown.*member = value;
    report();
}

void ResourcesBox::commitShares()
{
    if (m_loading || m_refusing)
        return;
    const int entry = m_cboShares->currentIndex();
    tarvonel::ResourceAllocation next = m_shown;
    next.Level.reset();
    next.CustomShares.reset();
    if (entry > kSharesDefault && entry < kSharesCustom) {
        next.Level = static_cast<Level>(entry - 1);
    } else if (entry == kSharesCustom) {
        m_txtShares->setVisible(true);
        const QString typed = m_txtShares->text().trimmed();
        if (typed.isEmpty()) {
            // Custom chosen, number not typed yet: the line waits for the number.
            next.CustomShares = m_shown.CustomShares;
            if (!next.CustomShares) {
                m_txtShares->setFocus();
                return;
            }
        } else if (const auto n = wholeNumber(typed)) {
            next.CustomShares = *n;
        } else {
            m_refusing = true;
            if (refused)
                refused(text(2924).arg(fieldName(m_lblShares)));
            m_refusing = false;
            m_txtShares->setFocus();
            return;
        }
    }
    if (entry != kSharesCustom) {
        m_txtShares->clear();
        m_txtShares->setVisible(false);
    }
    if (next == m_shown)
        return;
    m_shown = next;
    report();
}

void ResourcesBox::report()
{
    m_txtLimit->setEnabled(!m_shown.LimitUnlimited);
    if (m_shown.LimitUnlimited)
        m_txtLimit->clear();
    if (changed)
        changed(m_shown);
}

void ResourcesBox::updateUILabels()
{
    const bool cpu = m_kind == Kind::Processor;
    setTitle(text(2913));
    m_lblReservation->setText(text(cpu ? 2914 : 2922));
    if (m_lblMinimumSize)
        m_lblMinimumSize->setText(text(2923));
    m_lblLimit->setText(text(cpu ? 2915 : 2925));
    m_chkUnlimited->setText(text(2921));
    m_lblShares->setText(text(2916));
    const int current = m_cboShares->currentIndex();
    const bool loading = m_loading;
    m_loading = true;
    m_cboShares->clear();
    m_cboShares->addItems({text(2905), text(2917), text(2918), text(2919), text(2920)});
    m_cboShares->setCurrentIndex(current < 0 ? kSharesDefault : current);
    m_loading = loading;
}

} // namespace zentravolix::editor
