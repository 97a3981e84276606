// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/VkLabel.h"

#include "ui/Announcer.h"
#include "ui/DevicePixels.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {
constexpr Colour BorderColour = colours::Black;

// A label is named by the text it shows and nothing else: with no text, no name, where Qt would
// lend it its frame's title and make "no best time yet" sound like a value.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(VkLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QAccessible::Role role() const override {
        return static_cast<const VkLabel*>(widget())->announces() ? QAccessible::Notification
                                                                  : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<const VkLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* labelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("VkLabel") && object != nullptr && object->isWidgetType()) {
        return new LabelAccessible(static_cast<VkLabel*>(object));
    }
    return nullptr;
}
} // namespace

VkLabel::VkLabel(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(&labelFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    setForeColour(colours::Black);
}

void VkLabel::setText(const QString& text) {
    if (text == this->text()) {
        return;
    }
    QLabel::setText(text);
    if (announces_) {
        Announcer::announce(this);
    }
}

void VkLabel::setBackColour(Colour colour) {
    if (colour != back_) {
        back_ = colour;
        update();
    }
}

void VkLabel::setForeColour(Colour colour) {
    if (colour == fore_ && palette().color(QPalette::WindowText) == toQColor(colour)) {
        return;
    }
    fore_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(p);
}

void VkLabel::setSingleBorder(bool on) {
    if (on != border_) {
        border_ = on;
        // Keeps the text clear of the border.
        const int m = on ? 1 : 0;
        setContentsMargins(m, m, m, m);
        update();
    }
}

void VkLabel::paintEvent(QPaintEvent*) {
    {
        QPainter p(this);
        if (back_ != colours::None) {
            p.fillRect(devicepixels::snapped(this, rect()), toQColor(back_));
        }
        if (border_) {
            devicepixels::fillBorder(p, this, rect(), 1, toQColor(BorderColour));
        }
        // One line of plain text, centred, in a font that keeps it whole.
        p.setFont(shownFont(devicePixelRatioF(), logicalDpiY()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    }
}

QRectF VkLabel::textBox() const {
    return contentsRect();
}

QFont VkLabel::shownFont(qreal scale, qreal dpi) const {
    return fit_.font(font(), text(), textBox().size(), textfit::Rule::LineBox, scale, dpi);
}
