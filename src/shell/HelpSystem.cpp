// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HelpSystem.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#ifndef ZENDRA_DATA_DIR
#define ZENDRA_DATA_DIR ""
#endif
#ifndef ZENDRA_SOURCE_DATA_DIR
#define ZENDRA_SOURCE_DATA_DIR ""
#endif

namespace {

const char* const ContextProperty = "helpContext";
const char* const FileProperty = "helpFile";
const char* const BoxTitle = "Zendra Help";

QString& applicationHelpFile() {
    static QString file = QStringLiteral("zendra.hlp");
    return file;
}

QString anchorName(int context) { return QStringLiteral("context-%1").arg(context); }

int contextOf(const QObject* object) {
    if (object == nullptr)
        return 0;
    bool ok = false;
    const int context = object->property(ContextProperty).toInt(&ok);
    return ok ? context : 0;
}

// Tab leaves the text for the buttons, as in any window; Ctrl+Tab and
// Ctrl+Shift+Tab walk its links, which Enter follows.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
    void keyPressEvent(QKeyEvent* event) override {
        const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
        if (tab && (event->modifiers() & Qt::ControlModifier)) {
            QTextBrowser::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                             !(event->modifiers() & Qt::ShiftModifier));
            return;
        }
        QTextBrowser::keyPressEvent(event);
    }
};

// The help window: one for the whole program, made on first use and kept, so
// that a student who moves or sizes it finds it again where it was.
class HelpWindow : public QWidget {
public:
    HelpWindow() : QWidget(nullptr, Qt::Window) {
        setObjectName(QStringLiteral("helpWindow"));
        setWindowTitle(QString::fromLatin1(BoxTitle));
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(620, 520);

        m_browser = new HelpBrowser(this);
        m_browser->setObjectName(QStringLiteral("helpBrowser"));
        m_browser->setAccessibleName(QStringLiteral("Help text"));
        m_browser->setOpenExternalLinks(true);

        auto* contents = new QPushButton(tr("&Contents"), this);
        auto* back = new QPushButton(tr("&Back"), this);
        auto* close = new QPushButton(tr("C&lose"), this);
        back->setEnabled(false);
        connect(contents, &QPushButton::clicked, this, [this] { showAt(m_file, QString()); });
        connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
        connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        connect(close, &QPushButton::clicked, this, &QWidget::close);

        auto* buttons = new QHBoxLayout;
        buttons->addWidget(contents);
        buttons->addWidget(back);
        buttons->addStretch(1);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(m_browser, 1);
    }

    // Shows the file at the anchor, or at its top when the anchor is empty.
    void showAt(const QString& file, const QString& anchor) {
        if (file.isEmpty())
            return;
        m_file = file;
        QUrl url = QUrl::fromLocalFile(file);
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        // A file with the .hlp extension would otherwise be taken as plain
        // text.
        m_browser->setSource(url, QTextDocument::HtmlResource);
        present();
        // Asking twice for the same place after scrolling away must still
        // bring it back, which setSource alone does not do.
        if (anchor.isEmpty()) {
            m_browser->verticalScrollBar()->setValue(0);
            m_browser->horizontalScrollBar()->setValue(0);
        } else {
            m_browser->scrollToAnchor(anchor);
        }
    }

protected:
    // Esc closes the help, as it closes any window a student only reads.
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    void present() {
        // Over a modal dialog an ordinary window would take no input, so the
        // help window is made modal itself for as long as it is shown from
        // there; the modality can only change while it is hidden.
        QWidget* modal = QApplication::activeModalWidget();
        const Qt::WindowModality wanted =
            modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
        if (isVisible() && windowModality() != wanted)
            hide();
        if (!isVisible()) {
            setWindowModality(wanted);
            keepOnScreen();
        }
        show();
        raise();
        activateWindow();
    }

    // The whole window, frame included, within the screen's available
    // area: a small screen shrinks it, and a window moved partly off the
    // screen comes back when it is shown again.
    void keepOnScreen() {
        QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return;
        const QRect available = screen->availableGeometry();
        const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
        const QSize most(available.width() - frame.left() - frame.right(),
                         available.height() - frame.top() - frame.bottom());
        resize(size().boundedTo(most));
        const QSize outer = size().grownBy(frame);
        QPoint at = testAttribute(Qt::WA_Moved)
                        ? pos()
                        : QPoint(available.x() + (available.width() - outer.width()) / 2,
                                 available.y() + (available.height() - outer.height()) / 2);
        at.setX(std::clamp(at.x(), available.left(), available.right() + 1 - outer.width()));
        at.setY(std::clamp(at.y(), available.top(), available.bottom() + 1 - outer.height()));
        move(at);
    }

    QTextBrowser* m_browser = nullptr;
    QString m_file;
};

QPointer<HelpWindow>& helpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

HelpWindow& ensureWindow() {
    QPointer<HelpWindow>& window = helpWindow();
    if (window.isNull())
        window = new HelpWindow;
    return *window;
}

QWidget* boxParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void tellMissingFile(const QString& nameOrPath) {
    const QString where =
        QFileInfo(nameOrPath).fileName() == nameOrPath
            ? QStringLiteral(" It was looked for beside the program and in its data folders.")
            : QString();
    QMessageBox::warning(boxParent(), QString::fromLatin1(BoxTitle),
                         QStringLiteral("Sorry, the help file \"%1\" cannot be found.%2")
                             .arg(nameOrPath, where));
}

// The whole help file, read fresh for every question: it is small, and a
// help file replaced while the program runs is then seen at once.
bool readHelpFile(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

bool hasAnchor(const QString& html, int context) {
    // The closing quote, blank or ">" after the number keeps context-1 from
    // matching context-10.
    const QRegularExpression anchor(
        QStringLiteral("\\b(?:id|name)\\s*=\\s*[\"']?%1(?=[\"'\\s>])")
            .arg(QRegularExpression::escape(anchorName(context))),
        QRegularExpression::CaseInsensitiveOption);
    return anchor.match(html).hasMatch();
}

bool isMenu(const QObject* object) { return qobject_cast<const QMenu*>(object) != nullptr; }

// The open menu whose item opened the submenu, when there is one.
QMenu* enclosingMenu(QMenu* menu) {
    if (auto* parent = qobject_cast<QMenu*>(menu->parentWidget()))
        return parent;
    // A submenu made without a parent is found through the open menu that
    // holds its item.
    QAction* item = menu->menuAction();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        auto* candidate = qobject_cast<QMenu*>(window);
        if (candidate != nullptr && candidate != menu && candidate->isVisible() &&
            candidate->actions().contains(item))
            return candidate;
    }
    return nullptr;
}

// The highlighted item's context, else that of the nearest enclosing menu
// item that has one; 0 when none has.
int menuContext(QMenu* menu) {
    int context = contextOf(menu->activeAction());
    for (QMenu* level = menu; context == 0 && level != nullptr; level = enclosingMenu(level)) {
        context = contextOf(level->menuAction());
        if (context == 0)
            context = contextOf(level);
    }
    return context;
}

// Whether the window answers F1 itself, through an action with F1 as its
// shortcut (the main window's Help command does).
bool handlesF1Itself(const QWidget* window) {
    const QKeySequence f1(Qt::Key_F1);
    const QList<QAction*> actions = window->findChildren<QAction*>();
    for (const QAction* action : actions)
        if (action->isEnabled() && action->shortcuts().contains(f1))
            return true;
    const QList<QAction*> own = window->actions();
    for (const QAction* action : own)
        if (action->isEnabled() && action->shortcuts().contains(f1))
            return true;
    return false;
}

class F1Filter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1)
            return false;

        QMenu* menu = qobject_cast<QMenu*>(receiver);
        if (menu == nullptr)
            menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QWidget* window = nullptr;
        if (menu == nullptr) {
            window = QApplication::activeModalWidget();
            if (window == nullptr)
                window = QApplication::activeWindow();
            if (window == nullptr || isMenu(window) || handlesF1Itself(window))
                return false;
        }

        // Claiming the shortcut override keeps an F1 shortcut that is in
        // reach from here (an application-wide one, say) from running
        // instead; the help itself is shown on the key press that follows.
        event->accept();
        if (type == QEvent::ShortcutOverride || key->isAutoRepeat())
            return true;

        if (menu != nullptr) {
            const QString file = HelpSystem::HelpFileFor(QApplication::activeWindow());
            const int context = menuContext(menu);
            if (context != 0)
                HelpSystem::ShowContext(file, context);
            else
                HelpSystem::ShowContents(file);
            return true;
        }

        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr || focus->window() != window)
            focus = window;
        const QString file = HelpSystem::HelpFileFor(focus);
        const int context = HelpSystem::ContextFor(focus);
        if (context != 0)
            HelpSystem::ShowContext(file, context);
        else
            HelpSystem::ShowContents(file);
        return true;
    }
};

} // namespace

void HelpSystem::SetApplicationHelpFile(const QString& path) { applicationHelpFile() = path; }

QString HelpSystem::ApplicationHelpFile() { return applicationHelpFile(); }

QString HelpSystem::Locate(const QString& nameOrPath) {
    if (nameOrPath.isEmpty())
        return QString();
    const QFileInfo given(nameOrPath);
    if (given.fileName() != nameOrPath || nameOrPath.contains(QLatin1Char('\\')))
        return given.isFile() ? given.absoluteFilePath() : QString();

    QStringList folders;
    if (QCoreApplication::instance() != nullptr) {
        const QString executableDir = QCoreApplication::applicationDirPath();
        folders << executableDir
                << QDir(executableDir).absoluteFilePath(QStringLiteral(ZENDRA_DATA_FROM_BIN));
    }
    folders << QString::fromUtf8(ZENDRA_DATA_DIR) << QString::fromUtf8(ZENDRA_SOURCE_DATA_DIR);
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QFileInfo candidate(QDir(folder), nameOrPath);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QString();
}

void HelpSystem::ShowContents(const QString& helpFile) {
    const QString path = Locate(helpFile);
    if (path.isEmpty()) {
        tellMissingFile(helpFile);
        return;
    }
    ensureWindow().showAt(path, QString());
}

void HelpSystem::ShowContext(const QString& helpFile, int context) {
    if (context <= 0) {
        ShowContents(helpFile);
        return;
    }
    const QString path = Locate(helpFile);
    QString html;
    if (path.isEmpty() || !readHelpFile(path, html)) {
        tellMissingFile(helpFile);
        return;
    }
    if (!hasAnchor(html, context)) {
        QMessageBox::information(
            boxParent(), QString::fromLatin1(BoxTitle),
            QStringLiteral("Sorry, the help file \"%1\" has no topic for help context %2.")
                .arg(helpFile)
                .arg(context));
        return;
    }
    ensureWindow().showAt(path, anchorName(context));
}

bool HelpSystem::HasTopic(const QString& helpFile, int context) {
    const QString path = Locate(helpFile);
    QString html;
    return context > 0 && !path.isEmpty() && readHelpFile(path, html) && hasAnchor(html, context);
}

QWidget* HelpSystem::Window() { return helpWindow().data(); }

void HelpSystem::Install(QApplication& application) {
    static QPointer<F1Filter> installed;
    if (!installed.isNull() && installed->parent() == &application)
        return;
    installed = new F1Filter(&application);
    application.installEventFilter(installed);
}

int HelpSystem::ContextFor(const QWidget* widget) {
    // The search stops at the widget's window: a dialog without a context of
    // its own does not borrow the main window's.
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (const int context = contextOf(w))
            return context;
        if (w->isWindow())
            break;
    }
    return 0;
}

QString HelpSystem::HelpFileFor(const QWidget* widget) {
    if (widget != nullptr) {
        const QString own = widget->window()->property(FileProperty).toString();
        if (!own.isEmpty())
            return own;
    }
    return ApplicationHelpFile();
}
