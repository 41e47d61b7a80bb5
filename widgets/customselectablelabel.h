#pragma once

#include <QList>
#include <QPointF>
#include <QWidget>

class CustomEdit;
class QGestureEvent;
class QLabel;
class QTapAndHoldGesture;
class QTimer;
class TkLayout;
class TkLinearLayoutPolicy;
class TkTextEditModel;

// Message text shown as a label that turns into a read-only editor on
// tap-and-hold, with the word under the finger selected, so that the user can
// copy text. It turns back into the label when the selection ends.
class CustomSelectableLabel : public QWidget
{
    Q_OBJECT
public:
    explicit CustomSelectableLabel(const QString& text, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setStyleName(const QString& name);

    bool isEditMode() const { return m_editMode; }
    QLabel* label() const { return m_label; }
    CustomEdit* editor() const { return m_edit; }

public slots:
    void switchToEdit();
    void switchToLabel();

protected:
    bool event(QEvent* event) override;
    void tapAndHoldGestureEvent(QGestureEvent* event, QTapAndHoldGesture* gesture);

private slots:
    void hitTimeout();
    void onEditModelModified(const QList<const char*>& members);

private:
    void createLabel();
    void createEditor();
    TkLinearLayoutPolicy* createPolicy(QWidget* widget);
    void activate(TkLinearLayoutPolicy* policy);

    bool m_editMode = false;
    QLabel* m_label = nullptr;
    CustomEdit* m_edit = nullptr;
    TkTextEditModel* m_editModel = nullptr;
    TkLayout* m_layout = nullptr;
    TkLinearLayoutPolicy* m_labelPolicy = nullptr;
    TkLinearLayoutPolicy* m_editPolicy = nullptr;
    QTimer* m_hitTimer = nullptr;
    // Global position of the last tap-and-hold.
    QPointF m_hitPosition;
};
