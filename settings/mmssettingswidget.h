#pragma once

#include "mmsmainconfig.h"

#include <QWidget>

class ConnSettingsSheet;
class ConnSettingsWidget;
class TkComboBox;
class TkLinearLayoutPolicy;
class TkSwitchButton;

// The MMS section of the messaging settings page. Every change the user makes
// is written to the configuration store at once; loading writes nothing.
class MmsSettingsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MmsSettingsWidget(QWidget* parent = nullptr);
    ~MmsSettingsWidget() override;

public slots:
    void onProxyDialogClicked(int index);
    void onStartConnectionSettingsDialog();
    void onConnectionSettingsAccepted();
    void onConnectionSettingsRejected();
    void msgRetrivalModeChanged(int index);
    void msgMaxSizeChanged(int index);
    void msgValidityChanged(int index);
    void msgReadReportModeChanged(int index);
    void onDeliveryReportToggled(bool checked);
    void onReadReportToggled(bool checked);

private:
    void initConnectionModeWidget(TkLinearLayoutPolicy* layout);
    void initMessageDownloadingModeWidget(TkLinearLayoutPolicy* layout);
    void initMessageSizeWidget(TkLinearLayoutPolicy* layout);
    void initMessageValidityWidget(TkLinearLayoutPolicy* layout);
    void initMessageReadReportModeWidget(TkLinearLayoutPolicy* layout);
    TkSwitchButton* addCheckButtonAndText(TkLinearLayoutPolicy* layout, const QString& text,
                                          const QString& objectName, bool checked);
    TkComboBox* addComboBox(TkLinearLayoutPolicy* layout, const QString& title,
                            const QString& objectName, const QStringList& items);

    bool hasHomeNetworkItem() const { return m_config.homeNetworkModeSupported; }
    QList<int> messageSizes() const;
    int messageSizeIndex(int size) const;
    void resetMessageSize();
    void resetMessageValidity();

    ConnSettingsSheet* m_connectionSettingsSheet;
    TkComboBox* m_connectionMode = nullptr;
    TkComboBox* m_retrivalMode = nullptr;
    TkComboBox* m_readReportMode = nullptr;
    TkComboBox* m_messageSize = nullptr;
    TkComboBox* m_messageValidity = nullptr;
    MmsMainConfig m_config;
    ConnSettingsWidget* m_connSettingsWidget;
};
