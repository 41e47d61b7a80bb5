#pragma once

#include <QDialog>

class QAbstractItemModel;
class QLabel;
class QListView;
class QModelIndex;

// A titled list that pops up over the application; a tap on an item reports it
// with clicked() and closes the list.
class TkPopupList : public QDialog
{
    Q_OBJECT
public:
    explicit TkPopupList(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;

    // The list does not take ownership of the model.
    void setItemModel(QAbstractItemModel* model);
    QAbstractItemModel* itemModel() const;

    QListView* listView() const { return m_view; }

signals:
    void clicked(const QModelIndex& index);

private:
    void onItemClicked(const QModelIndex& index);

    QLabel* m_title;
    QListView* m_view;
};
