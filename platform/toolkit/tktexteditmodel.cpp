#include "tktexteditmodel.h"

const char* const TkTextEditModel::Selecting = "selecting";

TkTextEditModel::TkTextEditModel(QObject* parent)
    : QObject(parent)
{
}

void TkTextEditModel::setSelecting(bool selecting)
{
    if (selecting == m_selecting)
        return;
    m_selecting = selecting;
    emit modified({Selecting});
}

bool TkTextEditModel::includes(const QList<const char*>& members, const char* member)
{
    for (const char* name : members) {
        if (qstrcmp(name, member) == 0)
            return true;
    }
    return false;
}
