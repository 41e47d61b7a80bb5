#include "tksheet.h"

#include "tkstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TkSheet::TkSheet(QWidget* parent)
    : QDialog(parent)
    , m_title(new QLabel(this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_done(new QPushButton(tr("Done"), this))
    , m_column(new QVBoxLayout(this))
{
    setModal(true);
    tk::setStyleName(this, QStringLiteral("Sheet"));
    m_cancel->setObjectName(QStringLiteral("TkSheetCancel"));
    m_done->setObjectName(QStringLiteral("TkSheetDone"));
    m_title->setAlignment(Qt::AlignCenter);

    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("TkSheetHeader"));
    tk::setStyleName(header, QStringLiteral("SheetHeader"));
    auto* row = new QHBoxLayout(header);
    row->addWidget(m_cancel);
    row->addWidget(m_title, 1);
    row->addWidget(m_done);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->addWidget(header);

    connect(m_cancel, &QPushButton::clicked, this, [this] {
        emit cancelClicked();
        done(Cancelled);
    });
    connect(m_done, &QPushButton::clicked, this, [this] {
        emit doneClicked();
        done(Done);
    });
}

void TkSheet::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString TkSheet::title() const
{
    return m_title->text();
}

void TkSheet::setCentralWidget(QWidget* widget)
{
    delete m_central;
    m_central = widget;
    if (m_central) {
        m_column->addWidget(m_central, 1);
    }
}
