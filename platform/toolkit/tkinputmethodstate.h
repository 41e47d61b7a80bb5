#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <QVariant>

class QWidget;

// The input method as applications see it: the screen area its virtual
// keyboard covers, and the toolbars applications add to it. A toolbar is
// described by an XML file of buttons, each sending a key sequence to the
// focused widget:
//
//   <input-method-toolbar>
//       <item name="send" label="Send" keys="Meta+L"/>
//   </input-method-toolbar>
//
// Attributes of the keyboard and its toolbar are addressed by path, item and
// name; ("/toolbar", item, "enabled") switches a button on or off.
class TkInputMethodState : public QObject
{
    Q_OBJECT
public:
    static TkInputMethodState* instance();

    QRect inputMethodArea() const { return m_area; }
    // Where the keyboard now is (an empty rectangle: hidden); the platform's
    // keyboard reports it, tests and the demo play that keyboard.
    void setInputMethodArea(const QRect& area);

    // Loads a toolbar description; relative names are looked up in the
    // toolbar folders. Returns the toolbar's id, or -1 when the file cannot
    // be read or describes no button.
    int registerAttributeExtension(const QString& fileName);
    void unregisterAttributeExtension(int id);
    void setExtendedAttribute(int id, const QString& path, const QString& item,
                              const QString& attribute, const QVariant& value);
    QVariant extendedAttribute(int id, const QString& path, const QString& item,
                               const QString& attribute) const;
    QStringList toolbarItems(int id) const;

    // Toolbar descriptions are found in these folders, the resource folder
    // ":/imtoolbars" first.
    static QStringList toolbarFolders();

    // The toolbar shown while the widget, or a widget inside it, has focus.
    static void attachToolbar(QWidget* widget, int id);
    static int attachedToolbar(const QWidget* widget);

    // A tap on a toolbar button: its keys go to the focused widget, as long as
    // the button is enabled and the toolbar is the one that widget shows.
    bool triggerToolbarItem(int id, const QString& item);

signals:
    void inputMethodAreaChanged(const QRect& area);

private:
    struct Toolbar
    {
        QStringList items;
        QHash<QString, QKeySequence> keys;
        QHash<QString, QVariant> attributes;
    };

    explicit TkInputMethodState(QObject* parent);
    static QString resolve(const QString& fileName);
    static bool parse(const QString& path, Toolbar& toolbar);
    static QString attributeKey(const QString& path, const QString& item, const QString& attribute);

    QRect m_area;
    QHash<int, Toolbar> m_toolbars;
    int m_lastId = 0;
};
