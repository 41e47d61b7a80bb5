#pragma once

#include <QList>
#include <QObject>

// The state of a rich text editor that its owner may follow: whether the user
// is selecting text. Each change is announced by the names of the members
// that changed.
class TkTextEditModel : public QObject
{
    Q_OBJECT
public:
    static const char* const Selecting;

    explicit TkTextEditModel(QObject* parent = nullptr);

    bool isSelecting() const { return m_selecting; }
    void setSelecting(bool selecting);

    static bool includes(const QList<const char*>& members, const char* member);

signals:
    void modified(const QList<const char*>& members);

private:
    bool m_selecting = false;
};
