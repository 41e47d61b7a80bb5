#include "mmstimedbanner.h"

#include "tkbanner.h"

MmsTimedBanner::MmsTimedBanner(QWidget* window, QObject* parent)
    : QObject(parent)
    , m_window(window)
{
}

TkBanner* MmsTimedBanner::showBanner(const QString& text)
{
    if (!m_window) {
        return nullptr;
    }
    auto* banner = new TkBanner(m_window);
    banner->setObjectName(QStringLiteral("mmsTimedBanner"));
    banner->setTitle(text);
    connect(banner, &TkBanner::disappeared, banner, &QObject::deleteLater);
    banner->appear();
    return banner;
}
