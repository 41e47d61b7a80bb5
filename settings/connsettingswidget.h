#pragma once

#include "mmsconfig.h"

#include <QSharedPointer>
#include <QWidget>

class QValidator;
class TkLineEdit;
class TkLinearLayoutPolicy;

// The form of the user-defined MMS connection profile: access point, message
// centre and its port, proxy and its port, user name and password.
class ConnSettingsWidget : public QWidget
{
    Q_OBJECT
public:
    // The name the user-defined profile is read and written under.
    static const QString userDefined;

    explicit ConnSettingsWidget(QWidget* parent = nullptr);

    // Refills every editor from the store: the user-defined profile, or the
    // provisioned one while the user has not defined any.
    void load();
    // Writes the editors to the user-defined profile.
    void save();

private:
    TkLineEdit* addField(TkLinearLayoutPolicy* layout, const QString& labelText,
                         const QString& labelName, const QString& editorName);
    QValidator* noBlanksValidator();
    void setUpPortEditor(TkLineEdit* editor);
    static bool isEmpty(const MmsConfig::Configuration& config);
    static MmsConfig::Configuration provisionedConfiguration();
    static QString portText(int port);
    static int portValue(const QString& text);

    QSharedPointer<MmsConfig> m_userDefinedConfig;
    TkLineEdit* m_apnEdit;
    TkLineEdit* m_mmscEdit;
    TkLineEdit* m_mmscPortEdit;
    TkLineEdit* m_proxyEdit;
    TkLineEdit* m_proxyPortEdit;
    TkLineEdit* m_userNameEdit;
    TkLineEdit* m_passwordEdit;
};
