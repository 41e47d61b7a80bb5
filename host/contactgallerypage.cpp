#include "contactgallerypage.h"

#include "contactwidgetsgallery.h"
#include "mmsbasecontainer.h"

#include <QVBoxLayout>

ContactGalleryPage::ContactGalleryPage(AbstractPageManager* pageManager)
    : BasePage(pageManager)
{
    setObjectName(QStringLiteral("hostContactGalleryPage"));
    setTitle(tr("Contact widgets"));
}

void ContactGalleryPage::createContent()
{
    auto* container = new MmsBaseContainer;
    container->setObjectName(QStringLiteral("hostContactGalleryContainer"));
    auto* column = new QVBoxLayout(container);
    column->setSpacing(16);
    for (QWidget* widget : ContactWidgetsGallery::create(m_media.path(), container)) {
        column->addWidget(widget);
    }
    column->addStretch(1);
    setCentralWidget(container);
}
