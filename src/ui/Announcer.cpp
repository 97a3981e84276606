// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* a) : QAccessibleWidget(a, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcer*>(widget())->phrase() : QString();
    }
};

QAccessibleInterface* announcerFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("Announcer") && object != nullptr && object->isWidgetType()) {
        return new AnnouncerAccessible(static_cast<Announcer*>(object));
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(&announcerFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("Annonce"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // One pixel, painted with nothing: shown, so its phrases count as shown, yet never seen.
    // In the bottom right corner, so that a screen reader's review of the window, which goes
    // by place, comes to it last.
    setGeometry(0, 0, 1, 1);
    if (parent != nullptr) {
        move(parent->width() - 1, parent->height() - 1);
    }
}

// Qt drops the events itself when no client listens; they are few and cheap.
void Announcer::say(const QString& phrase) {
    phrase_ = phrase;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    announce(this);
}

void Announcer::announce(QWidget* notification) {
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
