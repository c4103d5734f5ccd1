// SPDX-License-Identifier: MIT
#include "app/frmAbout.h"

#include "app/AppIcons.h"
#include "app/VersionText.h"
#include "editor/widget/UiText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::app {

using editor::text;

namespace {
constexpr int kVersionText = 217;
constexpr int kCreditsText = 458;
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowIcon(ProgramIcon());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setPixmap(ProgramIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("lblTitle"));
    QFont big = m_name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_name->setFont(big);

    auto* version = new QLabel(text(kVersionText) + QLatin1Char(' ') + BuildVersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* credits = new QLabel(text(kCreditsText).arg(QString::fromLatin1(qVersion())), this);
    credits->setObjectName(QStringLiteral("lblCredits"));
    credits->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_name);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(credits);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    UpdateUILabels();
    setMinimumWidth(360);
}

void frmAbout::UpdateUILabels()
{
    setWindowTitle(text(81));
    m_name->setText(text(1));
    m_ok->setText(text(50));
}

} // namespace zentravolix::app
