#include "tkinputmethodstate.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QWidget>
#include <QXmlStreamReader>

namespace {

const char* const kToolbarProperty = "tkInputMethodToolbar";
const QString kToolbarPath = QStringLiteral("/toolbar");
const QString kEnabled = QStringLiteral("enabled");

void sendKeys(QWidget* target, const QKeySequence& keys)
{
    for (int i = 0; i < keys.count(); ++i) {
        const int combination = keys[i];
        const auto key = Qt::Key(combination & ~Qt::KeyboardModifierMask);
        const auto modifiers = Qt::KeyboardModifiers(combination & Qt::KeyboardModifierMask);
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &release);
    }
}

} // namespace

TkInputMethodState::TkInputMethodState(QObject* parent)
    : QObject(parent)
{
}

TkInputMethodState* TkInputMethodState::instance()
{
    static TkInputMethodState* state = new TkInputMethodState(qApp);
    return state;
}

void TkInputMethodState::setInputMethodArea(const QRect& area)
{
    if (area == m_area) {
        return;
    }
    m_area = area;
    emit inputMethodAreaChanged(area);
}

QStringList TkInputMethodState::toolbarFolders()
{
    QStringList folders{QStringLiteral(":/imtoolbars")};
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        folders << data + QStringLiteral("/imtoolbars");
    }
    return folders;
}

QString TkInputMethodState::resolve(const QString& fileName)
{
    if (QDir::isAbsolutePath(fileName)) {
        return fileName;
    }
    for (const QString& folder : toolbarFolders()) {
        const QString path = folder + QLatin1Char('/') + fileName;
        if (QFile::exists(path)) {
            return path;
        }
    }
    return QString();
}

bool TkInputMethodState::parse(const QString& path, Toolbar& toolbar)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("input-method-toolbar")) {
        return false;
    }
    while (xml.readNextStartElement()) {
        const QString name = xml.attributes().value(QLatin1String("name")).toString();
        const QKeySequence keys(xml.attributes().value(QLatin1String("keys")).toString(),
                                QKeySequence::PortableText);
        if (xml.name() != QLatin1String("item") || name.isEmpty() || keys.isEmpty() ||
            toolbar.items.contains(name)) {
            return false;
        }
        toolbar.items << name;
        toolbar.keys.insert(name, keys);
        toolbar.attributes.insert(attributeKey(kToolbarPath, name, kEnabled), true);
        xml.skipCurrentElement();
    }
    return !xml.hasError() && !toolbar.items.isEmpty();
}

int TkInputMethodState::registerAttributeExtension(const QString& fileName)
{
    Toolbar toolbar;
    const QString path = resolve(fileName);
    if (path.isEmpty() || !parse(path, toolbar)) {
        qWarning() << "Input method toolbar cannot be read:" << fileName;
        return -1;
    }
    m_toolbars.insert(++m_lastId, toolbar);
    return m_lastId;
}

void TkInputMethodState::unregisterAttributeExtension(int id)
{
    m_toolbars.remove(id);
}

QString TkInputMethodState::attributeKey(const QString& path, const QString& item,
                                         const QString& attribute)
{
    return path + QLatin1Char('\n') + item + QLatin1Char('\n') + attribute;
}

void TkInputMethodState::setExtendedAttribute(int id, const QString& path, const QString& item,
                                              const QString& attribute, const QVariant& value)
{
    auto toolbar = m_toolbars.find(id);
    if (toolbar != m_toolbars.end()) {
        toolbar->attributes.insert(attributeKey(path, item, attribute), value);
    }
}

QVariant TkInputMethodState::extendedAttribute(int id, const QString& path, const QString& item,
                                               const QString& attribute) const
{
    return m_toolbars.value(id).attributes.value(attributeKey(path, item, attribute));
}

QStringList TkInputMethodState::toolbarItems(int id) const
{
    return m_toolbars.value(id).items;
}

void TkInputMethodState::attachToolbar(QWidget* widget, int id)
{
    widget->setProperty(kToolbarProperty, id);
}

int TkInputMethodState::attachedToolbar(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kToolbarProperty);
        if (id.isValid()) {
            return id.toInt();
        }
    }
    return -1;
}

bool TkInputMethodState::triggerToolbarItem(int id, const QString& item)
{
    QWidget* focus = QApplication::focusWidget();
    const Toolbar toolbar = m_toolbars.value(id);
    if (!focus || attachedToolbar(focus) != id || !toolbar.keys.contains(item) ||
        !extendedAttribute(id, kToolbarPath, item, kEnabled).toBool()) {
        return false;
    }
    sendKeys(focus, toolbar.keys.value(item));
    return true;
}
