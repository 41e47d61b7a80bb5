#include "tkpopuplist.h"

#include "tkstyle.h"

#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

TkPopupList::TkPopupList(QWidget* parent)
    : QDialog(parent)
    , m_title(new QLabel(this))
    , m_view(new QListView(this))
{
    setModal(true);
    setObjectName(QStringLiteral("TkPopupList"));
    tk::setStyleName(this, QStringLiteral("PopupList"));
    m_title->setObjectName(QStringLiteral("TkPopupListTitle"));
    m_view->setObjectName(QStringLiteral("TkPopupListView"));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_title);
    column->addWidget(m_view);

    connect(m_view, &QListView::clicked, this, &TkPopupList::onItemClicked);
}

void TkPopupList::setTitle(const QString& title)
{
    m_title->setText(title);
    setWindowTitle(title);
}

QString TkPopupList::title() const
{
    return m_title->text();
}

void TkPopupList::setItemModel(QAbstractItemModel* model)
{
    m_view->setModel(model);
}

QAbstractItemModel* TkPopupList::itemModel() const
{
    return m_view->model();
}

void TkPopupList::onItemClicked(const QModelIndex& index)
{
    emit clicked(index);
    accept();
}
