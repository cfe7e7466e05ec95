// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "About.h"

#include "ToolIcons.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QFont sansFont(int pixelSize, bool underline = false) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);  // the face is rarely installed
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setUnderline(underline);
    return font;
}

QLabel* label(const QString& text, const QFont& font, const QColor& colour, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}
} // namespace

const char* const TAboutBox::UpdatePage = "https://zendra.example.org/updates";

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Zendra"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setFixedSize(241, 161);

    const QColor navy(0, 0, 128);
    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(ToolIcons::ProgramIcon().pixmap(33, 33));
    icon->setFixedSize(33, 33);
    icon->setScaledContents(true);

    auto* product = label(QStringLiteral("Zendra"), sansFont(19), Qt::black, panel);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont versionFont(QStringLiteral("Times New Roman"));
    versionFont.setPixelSize(13);
    versionFont.setBold(true);
    auto* version = label(QStringLiteral("Version 3.0"), versionFont, navy, panel);
    version->setObjectName(QStringLiteral("Version"));
    auto* comments = label(QStringLiteral("For educational use only."), sansFont(11), navy, panel);
    comments->setObjectName(QStringLiteral("CommentsLabel"));
    comments->setWordWrap(true);
    auto* company = label(QStringLiteral("The Zendra developers"), sansFont(11), navy, panel);
    company->setObjectName(QStringLiteral("CompanyLabel"));
    auto* rights = label(QStringLiteral("Free to use in teaching and learning."), sansFont(11), navy,
                         panel);
    rights->setObjectName(QStringLiteral("RightsLabel"));
    rights->setWordWrap(true);
    URL = label(QStringLiteral("Check for updates"), sansFont(11, true), navy, panel);
    URL->setObjectName(QStringLiteral("URL"));
    URL->setToolTip(QStringLiteral("Select to check on-line web site for updates."));
    URL->setCursor(Qt::PointingHandCursor);
    URL->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    URL->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(version);
    top->addLayout(names);
    top->addStretch();
    auto* inside = new QVBoxLayout(panel);
    inside->setContentsMargins(8, 8, 8, 8);
    inside->addLayout(top);
    inside->addWidget(comments);
    inside->addWidget(company);
    inside->addWidget(rights);
    inside->addWidget(URL);
    inside->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setFont(sansFont(11));
    ok->setFixedSize(77, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(panel, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(262, 209);
    ok->setFocus();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == URL && event->type() == QEvent::MouseButtonRelease) {
        URLClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::URLClick() {
    if (!QDesktopServices::openUrl(QUrl(QString::fromLatin1(UpdatePage))))
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("Sorry, can not connect to server."));
}
