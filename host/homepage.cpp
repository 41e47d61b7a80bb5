#include "homepage.h"

#include "abstractpagemanager.h"
#include "conversationpage.h"
#include "groupmodel.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

HomePage::HomePage(AbstractPageManager* pageManager)
    : BasePage(pageManager)
    , m_groups(new Chronel::GroupModel(this))
{
    setObjectName(QStringLiteral("hostHomePage"));
    setTitle(tr("Messaging"));
}

void HomePage::addEntry(const QString& title, const QString& objectName,
                        const std::function<BasePage*()>& makePage)
{
    m_entryTitles.append({title, objectName});
    m_entryFactories.append(makePage);
}

void HomePage::createContent()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    for (int i = 0; i < m_entryTitles.size(); ++i) {
        auto* button = new QPushButton(m_entryTitles.at(i).first, content);
        button->setObjectName(m_entryTitles.at(i).second);
        const auto makePage = m_entryFactories.at(i);
        connect(button, &QPushButton::clicked, this, [this, makePage] {
            if (BasePage* page = makePage()) {
                pageManager()->showPage(page);
            }
        });
        column->addWidget(button);
    }
    column->addWidget(new QLabel(tr("Conversations"), content));
    auto* conversations = new QListView(content);
    conversations->setObjectName(QStringLiteral("hostConversationList"));
    conversations->setModel(m_groups);
    conversations->setEditTriggers(QAbstractItemView::NoEditTriggers);
    column->addWidget(conversations, 1);
    connect(conversations, &QListView::activated, this, [this](const QModelIndex& index) {
        pageManager()->showPage(new ConversationPage(pageManager(), m_groups->group(index).id));
    });
    auto* deleteButton = new QPushButton(tr("Delete conversation"), content);
    deleteButton->setObjectName(QStringLiteral("hostDeleteConversation"));
    connect(deleteButton, &QPushButton::clicked, this, [this, conversations] {
        const QModelIndex selected = conversations->currentIndex();
        if (selected.isValid())
            ConversationPage::deleteConversation(pageManager(), m_groups->group(selected).id);
    });
    column->addWidget(deleteButton);
    setCentralWidget(content);
    m_groups->getGroups();
}
