#include "ui/Accessibility.h"

#include "ui/PositionBar.h"

#include <QAccessibleWidget>

namespace
{

class PositionBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface
{
  public:
    explicit PositionBarAccessible(PositionBar* bar) : QAccessibleWidget(bar, QAccessible::Slider)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? bar()->positionName() : QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

  private:
    PositionBar* bar() const { return static_cast<PositionBar*>(widget()); }
};

// Asked for each class of an object's ancestry, the most derived first.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureWindow") || className == QLatin1String("PictureDialog"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("PositionBar"))
        return new PositionBarAccessible(static_cast<PositionBar*>(object));
    return nullptr;
}

} // namespace

void Accessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}
