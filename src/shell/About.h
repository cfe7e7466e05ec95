// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;

// The about box, which is also the start-up splash.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Where "Check for updates" leads.
    static const char* const UpdatePage;

    QLabel* URL;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    // Asks the system to open the update page in the default browser; a
    // request that cannot be made shows "Sorry, can not connect to server.".
    void URLClick();
};
