#pragma once

#include <QScrollBar>
#include <QStringList>

// A horizontal scroll bar of a few named positions, used as a slider (the speech speed): the
// Right arrow moves it on, it takes the focus from the Tab key and shows that it has it.
// Assistive technologies read it as a slider whose value is the name of its position.
class PositionBar : public QScrollBar
{
    Q_OBJECT

  public:
    PositionBar(QStringList positionNames, QWidget* parent);

    QString positionName() const { return m_names.value(value()); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList m_names;
};
