// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessibleMenuItem.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWindow>

namespace {
QString withoutAccessKey(QString text) {
    for (qsizetype at = 0; (at = text.indexOf(QLatin1Char('&'), at)) >= 0; ++at)
        text.remove(at, 1); // "&&" keeps one "&"
    return text;
}

class MenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItem(QAction* action) : m_action(action) {}

    bool isValid() const override { return !m_action.isNull() && owner() != nullptr; }
    QObject* object() const override { return m_action; }
    QWindow* window() const override {
        QWidget* w = owner();
        return w != nullptr ? w->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner());
    }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && m_action->menu() != nullptr
                   ? QAccessible::queryAccessibleInterface(m_action->menu())
                   : nullptr;
    }
    int childCount() const override { return m_action->menu() != nullptr ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* c) const override {
        return c != nullptr && m_action->menu() != nullptr && c->object() == m_action->menu() ? 0
                                                                                              : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const QString name = withoutAccessKey(m_action->text());
        switch (t) {
        case QAccessible::Name: {
            const QString own = m_action->property("accessibleName").toString();
            return own.isEmpty() ? name : own;
        }
        case QAccessible::Description:
            // Qt makes the caption the tool tip of an action without one.
            return m_action->toolTip() == name ? QString() : m_action->toolTip();
        case QAccessible::Accelerator:
            return m_action->shortcut().toString(QKeySequence::NativeText);
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        QWidget* w = owner();
        QRect local;
        if (auto* menu = qobject_cast<QMenu*>(w))
            local = menu->actionGeometry(m_action);
        else if (auto* bar = qobject_cast<QMenuBar*>(w))
            local = bar->actionGeometry(m_action);
        return w != nullptr ? QRect(w->mapToGlobal(local.topLeft()), local.size()) : QRect();
    }
    QAccessible::Role role() const override {
        return m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        QWidget* w = owner();
        if (w == nullptr || !w->isVisible() || !m_action->isVisible())
            s.invisible = true;
        if (auto* menu = qobject_cast<QMenu*>(w); menu != nullptr && menu->activeAction() == m_action)
            s.focused = true;
        if (auto* bar = qobject_cast<QMenuBar*>(w); bar != nullptr && bar->activeAction() == m_action)
            s.focused = true;
        if (m_action->isSeparator() || !m_action->isEnabled())
            s.disabled = true;
        else
            s.focusable = true;
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        s.hasPopup = m_action->menu() != nullptr;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override {
        if (m_action->isSeparator() || !m_action->isEnabled())
            return {};
        return {m_action->menu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!actionNames().contains(name))
            return;
        QWidget* w = owner();
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            menu->setActiveAction(m_action);
            if (m_action->menu() == nullptr)
                menu->hide();
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            bar->setActiveAction(m_action);
        }
        if (m_action->menu() == nullptr)
            m_action->activate(QAction::Trigger);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    // The menu or menu bar the item is read in: the one showing, if any.
    QWidget* owner() const {
        if (m_action.isNull())
            return nullptr;
        QWidget* found = nullptr;
        for (QObject* o : m_action->associatedObjects()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (qobject_cast<QMenu*>(w) == nullptr && qobject_cast<QMenuBar*>(w) == nullptr)
                continue;
            if (w->isVisible())
                return w;
            if (found == nullptr)
                found = w;
        }
        return found;
    }

    QPointer<QAction> m_action;
};

QAccessibleInterface* menuItems(const QString& className, QObject* object) {
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr)
        return nullptr;
    for (QObject* o : action->associatedObjects())
        if (qobject_cast<QMenu*>(o) != nullptr || qobject_cast<QMenuBar*>(o) != nullptr)
            return new MenuItem(action);
    return nullptr;
}
} // namespace

void AccessibleMenuItem::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(menuItems);
        return true;
    }();
    (void)installed;
}
