#include "tkquerydialog.h"

#include "tkstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TkQueryDialog::TkQueryDialog(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent)
    , m_title(new QLabel(title, this))
    , m_text(new QLabel(text, this))
    , m_yes(new QPushButton(tr("Yes"), this))
    , m_no(new QPushButton(tr("No"), this))
{
    setObjectName(QStringLiteral("TkQueryDialog"));
    tk::setStyleName(this, QStringLiteral("QueryDialog"));
    setWindowTitle(title);
    m_title->setObjectName(QStringLiteral("TkQueryDialogTitle"));
    m_text->setObjectName(QStringLiteral("TkQueryDialogText"));
    m_text->setWordWrap(true);
    m_yes->setObjectName(QStringLiteral("TkQueryDialogYes"));
    m_no->setObjectName(QStringLiteral("TkQueryDialogNo"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_title);
    column->addWidget(m_text);
    column->addLayout(buttons);

    connect(m_yes, &QPushButton::clicked, this, [this] { done(Yes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(No); });
}

QString TkQueryDialog::title() const
{
    return m_title->text();
}

QString TkQueryDialog::text() const
{
    return m_text->text();
}

void TkQueryDialog::setSystemModal(bool systemModal)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, systemModal);
}

bool TkQueryDialog::isSystemModal() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
