#pragma once

#include "basepage.h"

#include <functional>

namespace Chronel {
class GroupModel;
}

// The host's first page: the conversations in the history and the way to the
// other pages of the demo.
class HomePage : public BasePage
{
    Q_OBJECT
public:
    explicit HomePage(AbstractPageManager* pageManager);

    // An entry that opens a page made by `makePage`.
    void addEntry(const QString& title, const QString& objectName,
                  const std::function<BasePage*()>& makePage);

    void createContent() override;
    int pageType() const override { return 1; }

private:
    Chronel::GroupModel* m_groups;
    QList<QPair<QString, QString>> m_entryTitles;
    QList<std::function<BasePage*()>> m_entryFactories;
};
