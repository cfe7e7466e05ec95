// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReadableLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>

#include <algorithm>

namespace {
// The label's plain text through the text interface; nothing can be
// selected or typed, and the caret stays at the start.
class ReadableLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadableLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return label()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(label()->text().size()); }

    // Where a character stands, line by line from the label's top left.
    QRect characterRect(int offset) const override {
        const QString all = label()->text();
        if (offset < 0 || offset >= all.size())
            return QRect();
        const QFontMetrics metrics(label()->font());
        const int lineStart = static_cast<int>(all.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
        const int line = static_cast<int>(all.left(lineStart).count(QLatin1Char('\n')));
        const QString before = all.mid(lineStart, offset - lineStart);
        const QRect local(label()->contentsRect().left() + metrics.horizontalAdvance(before),
                          label()->contentsRect().top() + line * metrics.lineSpacing(),
                          metrics.horizontalAdvance(all.at(offset)), metrics.height());
        return QRect(label()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QString all = label()->text();
        const QFontMetrics metrics(label()->font());
        const QPoint local = label()->mapFromGlobal(point) - label()->contentsRect().topLeft();
        const QStringList lines = all.split(QLatin1Char('\n'));
        const int line = local.y() / std::max(1, metrics.lineSpacing());
        if (local.y() < 0 || line >= lines.size())
            return -1;
        int offset = 0;
        for (int k = 0; k < line; ++k)
            offset += static_cast<int>(lines[k].size()) + 1;
        const QString& text = lines[line];
        for (int k = 0; k < text.size(); ++k)
            if (metrics.horizontalAdvance(text.left(k + 1)) > local.x())
                return offset + k;
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return QString();
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* readableLabels(const QString& className, QObject* object) {
    if (className == QLatin1String("ReadableLabel") && object != nullptr && object->isWidgetType())
        return new ReadableLabelAccessible(static_cast<QLabel*>(object));
    return nullptr;
}
} // namespace

ReadableLabel::ReadableLabel(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(readableLabels);
        return true;
    }();
    (void)installed;
}
