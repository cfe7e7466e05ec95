#pragma once

#include <QDialog>

#include <string>

class GVar;
class Messages;
class QListWidget;

// The multi-matrix selection of List matrix, and the listing it writes.
class TPrintMat : public QDialog {
    Q_OBJECT
public:
    // Creates the listing file at path (header line and an empty line),
    // then asks which matrices to list (Ctrl adds single items, Shift
    // ranges) and appends them in slot order; a cancelled choice lists
    // none. Returns false when the file could not be created or written
    // (the message has been shown).
    static bool execute(const GVar& workspace, Messages& messages, const std::string& path,
                        QWidget* parent = nullptr);

    QListWidget* MatList;

private:
    TPrintMat(const GVar& workspace, QWidget* parent);
};
