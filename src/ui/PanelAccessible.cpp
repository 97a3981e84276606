// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PanelAccessible.h"

#include "ui/VkOptionButton.h"

#include <QAccessibleWidget>

namespace {

class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    // The caption alone: Qt would also call it labelled by its own frame.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
};

// Qt names a widget in a titled frame after the frame and says the frame labels it: a screen
// reader then says "Son" as the option's group and again as its label.
class OptionAccessible : public QAccessibleWidget {
public:
    explicit OptionAccessible(VkOptionButton* b) : QAccessibleWidget(b, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? button()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto all = QAccessibleWidget::relations(match);
        all.removeIf([](const auto& r) { return r.second == QAccessible::Label; });
        return all;
    }
    // A radio button lists "Toggle"; a client may still ask for "Press". Either acts as a click.
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == toggleAction() || name == pressAction()) {
            button()->animateClick();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    VkOptionButton* button() const { return static_cast<VkOptionButton*>(widget()); }
};

QAccessibleInterface* panelFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    if (className == QLatin1String("VkOptionButton")) {
        return new OptionAccessible(static_cast<VkOptionButton*>(object));
    }
    if (className == QLatin1String("FrameCaption")) {
        return new CaptionAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

void installPanelAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(&panelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

FrameCaption::FrameCaption(const QString& caption, int titleHeight, QWidget* frame)
    : QWidget(frame) {
    installPanelAccessible();
    setObjectName(frame->objectName() + QStringLiteral("Caption"));
    setAccessibleName(caption);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, frame->width(), titleHeight);
}
