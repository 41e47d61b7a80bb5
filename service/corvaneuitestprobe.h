#pragma once

#include <QObject>
#include <QSet>
#include <QVariantMap>

class TkQueryDialog;

// Test hook of corvane-ui. Only when the environment variable
// CORVANE_UI_TEST_PROBE is set at start-up does main() export this object at
// "/com/quenda/corvane/ui/testprobe" ("com.quenda.corvane.ui.TestProbe"); it
// lets a test that drives the real program look at the warning dialogs and
// answer them. It watches every TkQueryDialog of the application:
// "open" means shown and not yet hidden, "alive" shown and not yet destroyed.
class CorvaneUiTestProbe : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quenda.corvane.ui.TestProbe")
public:
    explicit CorvaneUiTestProbe(QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    Q_SCRIPTABLE int openDialogs() const { return m_open.size(); }
    Q_SCRIPTABLE int aliveDialogs() const { return m_alive.size(); }
    Q_SCRIPTABLE int peakOpenDialogs() const { return m_peakOpen; }
    Q_SCRIPTABLE int peakAliveDialogs() const { return m_peakAlive; }
    Q_SCRIPTABLE int shownDialogs() const { return m_shown; }
    // Title, text, systemModal and deleteOnClose of the open dialog; empty
    // when none is open.
    Q_SCRIPTABLE QVariantMap openDialog() const;
    // Presses Yes or No on the open dialog; false when none is open.
    Q_SCRIPTABLE bool answer(bool yes);

private:
    TkQueryDialog* theOpenDialog() const;
    void onShown(TkQueryDialog* dialog);

    QSet<QObject*> m_open;
    QSet<QObject*> m_alive;
    int m_peakOpen = 0;
    int m_peakAlive = 0;
    int m_shown = 0;
};
